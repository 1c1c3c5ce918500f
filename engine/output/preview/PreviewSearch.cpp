#include "engine/output/preview/PreviewSearch.h"

#include "engine/output/PageRendering.h"
#include "engine/output/TvlEMFPages.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

namespace vl {

namespace {

// A paint engine that draws nothing and keeps each text item with its
// bounds on the device.
class TextRecordingEngine : public QPaintEngine {
public:
    TextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawEllipse(const QRect&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QRectF box(p.x(), p.y() - item.ascent(), item.width(),
                         item.ascent() + item.descent());
        texts.push_back({item.text(), transform_.mapRect(box).toAlignedRect()});
    }

    std::vector<DrawnText> texts;

private:
    QTransform transform_;
};

// A device of the page's size at screen resolution whose engine records
// the texts drawn on it.
class TextRecordingDevice : public QPaintDevice {
public:
    explicit TextRecordingDevice(QSize size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    std::vector<DrawnText>& texts() { return engine_.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 960;
        case PdmHeightMM:
            return size_.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    QSize size_;
    mutable TextRecordingEngine engine_;
};

} // namespace

std::vector<DrawnText> RecordPageTexts(TvlEMFPages& pages, int i) {
    const PreparedPage& page = pages.PageAt(i);
    TextRecordingDevice device(PaperDeviceSize(page, 1.0).expandedTo(QSize(1, 1)));
    {
        QPainter painter(&device);
        DrawPageOnce(pages, i, painter, PageDrawRect(page, 1.0));
    }
    return std::move(device.texts());
}

bool PreviewSearch::FindNext(TvlEMFPages& pages) {
    Found = false;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (Text.isEmpty()) return false;
    Page = std::max(Page, 0);
    while (Page < pages.Count()) {
        const std::vector<DrawnText> texts = RecordPageTexts(pages, Page);
        for (int k = Hit; k < static_cast<int>(texts.size()); ++k) {
            if (!texts[static_cast<std::size_t>(k)].text.contains(Text, cs)) continue;
            HitRect = texts[static_cast<std::size_t>(k)].bounds;
            Hit = k + 1;
            Found = true;
            return true;
        }
        Hit = 0;
        ++Page;
    }
    return false;
}

} // namespace vl
