#include "engine/output/PageRendering.h"

#include "engine/model/TvlView.h"
#include "engine/output/PageUnits.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QDir>
#include <QPainter>

namespace vl {

double ScaleForResolution(double dotsPerInch) {
    return dotsPerInch / kPagePixelsPerInch;
}

QSize PaperDeviceSize(const PreparedPage& page, double scale) {
    const PageMetrics& m = page.Metrics;
    return {Nearest(m.PixelPaperWidth * scale), Nearest(m.PixelPaperHeight * scale)};
}

TvlRect PageDrawRect(const PreparedPage& page, double scale) {
    const PageMetrics& m = page.Metrics;
    if (page.PaperCoordinates) {
        const QSize size = PaperDeviceSize(page, scale);
        return {0, 0, size.width(), size.height()};
    }
    const int left = Nearest((m.PixelOffsetX + page.LeftMargin) * scale);
    const int top = Nearest((m.PixelOffsetY + page.TopMargin) * scale);
    return {left, top,
            left + Nearest((m.PixelPrintWidth - page.LeftMargin - page.RightMargin) * scale),
            top + Nearest((m.PixelPrintHeight - page.TopMargin - page.BottomMargin) * scale)};
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

QImage RenderPageImage(TvlEMFPages& pages, int i, double dotsPerInch) {
    const double scale = ScaleForResolution(dotsPerInch);
    const PreparedPage& page = pages.PageAt(i);
    QImage image(PaperDeviceSize(page, scale).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(dotsPerInch / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    DrawPageOnce(pages, i, painter, PageDrawRect(page, scale));
    return image;
}

QStringList SavePageImages(TvlEMFPages& pages, const QString& dir, double dotsPerInch) {
    if (!QDir().mkpath(dir)) throw VlError("cannot create the folder " + FromQt(dir));
    QStringList written;
    for (int i = 0; i < pages.Count(); ++i) {
        const QString path = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(i + 1));
        if (!RenderPageImage(pages, i, dotsPerInch).save(path, "PNG", kPagePngQuality))
            throw VlError("cannot write " + FromQt(path));
        written << path;
    }
    return written;
}

} // namespace vl
