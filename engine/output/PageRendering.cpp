#include "engine/output/PageRendering.h"

#include "engine/model/ModelContext.h"
#include "engine/model/TvlView.h"
#include "engine/output/OutputContext.h"
#include "engine/output/PageMetrics.h"
#include "engine/output/PageUnits.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/ScriptContext.h"

#include <QDir>
#include <QPainter>
#include <algorithm>

namespace vl {

double ScaleForResolution(double dotsPerInch) {
    return dotsPerInch / kPagePixelsPerInch;
}

QSize PaperDeviceSize(const PreparedPage& page, double scale) {
    const PageMetrics& m = page.Metrics;
    return {Nearest(m.PixelPaperWidth * scale), Nearest(m.PixelPaperHeight * scale)};
}

TvlRect PageDrawRect(const PreparedPage& page, double scale) {
    return PageDrawRect(page, scale, scale);
}

TvlRect PageDrawRect(const PreparedPage& page, double scaleX, double scaleY) {
    const PageMetrics& m = page.Metrics;
    if (page.PaperCoordinates)
        return {0, 0, Nearest(m.PixelPaperWidth * scaleX), Nearest(m.PixelPaperHeight * scaleY)};
    const int left = Nearest((m.PixelOffsetX + page.LeftMargin) * scaleX);
    const int top = Nearest((m.PixelOffsetY + page.TopMargin) * scaleY);
    return {left, top,
            left + Nearest((m.PixelPrintWidth - page.LeftMargin - page.RightMargin) * scaleX),
            top + Nearest((m.PixelPrintHeight - page.TopMargin - page.BottomMargin) * scaleY)};
}

namespace {

int scaledMargin(int margin, int device, int pixels) {
    return pixels == 0 ? 0 : Nearest(static_cast<double>(margin) * device / pixels);
}

} // namespace

TvlRect PrinterPageRect(const PreparedPage& page, const PageMetrics& device, int dpiX, int dpiY) {
    if (SamePixelGeometry(page.Metrics, device)) {
        // Laid out for this printer: the page fills its printable area.
        const PageMetrics& m = device;
        if (page.PaperCoordinates)
            return {-m.DeviceOffsetX, -m.DeviceOffsetY, m.DevicePaperWidth - m.DeviceOffsetX,
                    m.DevicePaperHeight - m.DeviceOffsetY};
        return {scaledMargin(page.LeftMargin, m.DevicePrintWidth, m.PixelPrintWidth),
                scaledMargin(page.TopMargin, m.DevicePrintHeight, m.PixelPrintHeight),
                m.DevicePrintWidth -
                    scaledMargin(page.RightMargin, m.DevicePrintWidth, m.PixelPrintWidth),
                m.DevicePrintHeight -
                    scaledMargin(page.BottomMargin, m.DevicePrintHeight, m.PixelPrintHeight)};
    }
    if (dpiX <= 0 || dpiY <= 0) return {};
    // Laid out for another geometry: the page keeps its place on the sheet.
    TvlRect r = PageDrawRect(page, ScaleForResolution(dpiX), ScaleForResolution(dpiY));
    r.Left -= device.DeviceOffsetX;
    r.Right -= device.DeviceOffsetX;
    r.Top -= device.DeviceOffsetY;
    r.Bottom -= device.DeviceOffsetY;
    return r;
}

void DrawPageOnce(TvlEMFPages& pages, int i, QPainter& painter, const TvlRect& rect) {
    PreparedPage& page = pages.PageAt(i);
    const bool wasShown = page.Shown;
    auto release = [&] {
        page.Shown = wasShown;
        if (!wasShown) pages.DrawPage(i, nullptr, {});
    };
    page.Shown = true;
    try {
        pages.DrawPage(i, &painter, rect);
    } catch (...) {
        release();
        throw;
    }
    release();
}

void RequirePagePixels(const PreparedPage& page, int i, double scale, std::int64_t budget) {
    // in doubles: a damaged paper size may not fit an int once scaled
    const double width = std::max(1.0, page.Metrics.PixelPaperWidth * scale);
    const double height = std::max(1.0, page.Metrics.PixelPaperHeight * scale);
    if (budget <= 0 || width * height <= static_cast<double>(budget)) return;
    const auto text = [](double n) { return std::to_string(static_cast<long long>(n + 0.5)); };
    throw VlError("page " + std::to_string(i + 1) + " would be " + text(width) + " x " +
                  text(height) + " pixels, more than the " + text(static_cast<double>(budget)) +
                  " pixels one page image may take; choose a lower resolution");
}

QImage RenderPageImage(TvlEMFPages& pages, int i, double dotsPerInch) {
    const double scale = ScaleForResolution(dotsPerInch);
    const PreparedPage& page = pages.PageAt(i);
    RequirePagePixels(page, i, scale, pages.Engine().model().script().limits().pagePixels);
    const QSize size = PaperDeviceSize(page, scale).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw VlError("not enough memory for page " + std::to_string(i + 1) + " as an image of " +
                      std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                      " pixels");
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(dotsPerInch / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    DrawPageOnce(pages, i, painter, PageDrawRect(page, scale));
    return image;
}

QStringList SavePageImages(TvlEMFPages& pages, const QString& dir, double dotsPerInch,
                           const std::function<bool()>& stopped) {
    if (!QDir().mkpath(dir)) throw VlError("cannot create the folder " + FromQt(dir));
    QStringList written;
    for (int i = 0; i < pages.Count() && !(stopped && stopped()); ++i) {
        const QString path = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(i + 1));
        if (!RenderPageImage(pages, i, dotsPerInch).save(path, "PNG", kPagePngQuality))
            throw VlError("cannot write " + FromQt(path));
        written << path;
    }
    return written;
}

} // namespace vl
