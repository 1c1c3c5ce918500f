#include "designer/workspace/SurfacePainter.h"

#include "designer/workspace/ControlFaces.h"
#include "designer/workspace/ObjectSelection.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlColor.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/model/TvlMemoView.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace vl {

namespace {

constexpr QRgb kLightGrey = 0xC0C0C0;
constexpr QRgb kTeal = 0x008080;

QImage GridTile(int gridSize, QColor paper) {
    const int size = gridSize == 18 ? 18 : 8;
    QImage tile(size, size, QImage::Format_RGB32);
    tile.fill(paper);
    tile.setPixel(0, 0, qRgb(0, 0, 0));
    if (gridSize == 4)
        for (const QPoint d : {QPoint(4, 0), QPoint(0, 4), QPoint(4, 4)})
            tile.setPixel(d, qRgb(0, 0, 0));
    return tile;
}

// XOR drawing: the same figure twice leaves the picture as it was, and it
// stays visible on white, on the grid and on objects alike.
class XorScope {
public:
    explicit XorScope(QPainter& p) : p_(p) {
        p_.save();
        p_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    ~XorScope() { p_.restore(); }
    XorScope(const XorScope&) = delete;
    XorScope& operator=(const XorScope&) = delete;

private:
    QPainter& p_;
};

} // namespace

SurfacePainter::SurfacePainter(QPainter& painter, TvlPage& page,
                               const TvlObjectSelection& selection, const QRegion& update)
    : p_(painter), page_(page), selection_(selection), update_(update),
      bounds_(update.boundingRect()) {}

void SurfacePainter::background(int gridSize, bool showGrid) {
    const QColor paper = page_.PageType == ptDialog
                             ? ToQColor(static_cast<TvlColor>(page_.Dialog.Color))
                             : QColor(Qt::white);
    const bool grid = showGrid && (gridSize == 4 || gridSize == 8 || gridSize == 18);
    const QBrush brush = grid ? QBrush(GridTile(gridSize, paper)) : QBrush(paper);
    for (const QRect& r : update_)
        p_.fillRect(r, brush);
}

void SurfacePainter::pageFrame() {
    if (page_.PageType != ptReport) return;
    const int l = page_.LeftEdge(), t = page_.TopEdge(), r = page_.RightEdge(),
              b = page_.BottomEdge();
    p_.save();
    p_.setBrush(Qt::NoBrush);
    if (page_.UseMargins) {
        p_.setPen(QPen(Qt::gray, 0));
        p_.drawRect(l, t, r - l, b - t);
    }
    if (page_.Columns >= 2) {
        const int columns = page_.Columns;
        const int width = (r - l - (columns - 1) * page_.ColumnGap) / columns;
        const int height = page_.PrinterInfo.PixelPaperHeight;
        p_.setPen(QPen(Qt::black, 0, Qt::DotLine));
        for (int i = 0; i < columns; ++i)
            p_.drawRect(l + i * (width + page_.ColumnGap), -1, width, height + 2);
    }
    p_.restore();
}

bool SurfacePainter::moves(const TvlView& view) const {
    return selection_.contains(view) && !(view.Restrictions & rsNoMove);
}

void SurfacePainter::objects(bool outlinesOnly, Layer layer) {
    for (const auto& view : page_.Objects) {
        if (layer != AllObjects && moves(*view) != (layer == MovingObjects)) continue;
        if (!meetsUpdate(view->CreateClipRegion(true).boundingRect())) continue;
        if (outlinesOnly && selection_.contains(*view)) {
            outline(SurfaceBox::of(*view));
            continue;
        }
        p_.save();
        view->Draw(TvlDrawContext::at(&p_, rmDesign));
        p_.restore();
        if (const auto* control = dynamic_cast<const TvlDialogControl*>(view.get());
            control && !control->Control)
            PaintControlFace(p_, *control);
        marker(*view);
    }
}

void SurfacePainter::marker(const TvlView& view) {
    const auto* memo = dynamic_cast<const TvlMemoView*>(&view);
    const bool script = !view.Script.empty();
    const bool highlight = memo && !memo->HighlightCondition.empty();
    if (!script && !highlight) return;
    p_.save();
    p_.setPen(QPen(Qt::black, 0));
    if (script) {
        // a small scroll: the object runs a script
        p_.setBrush(QColor(0, 0, 160));
        p_.drawRect(view.Left + 1, view.Top + 1, 5, 6);
        p_.setPen(QPen(Qt::white, 0));
        p_.drawLine(view.Left + 3, view.Top + 3, view.Left + 4, view.Top + 3);
        p_.drawLine(view.Left + 3, view.Top + 5, view.Left + 4, view.Top + 5);
    }
    if (highlight) {
        // a small lamp: the text changes its look when a condition holds
        p_.setPen(QPen(Qt::black, 0));
        p_.setBrush(QColor(255, 220, 0));
        p_.drawRect(view.Left + 1, view.Top + 10, 5, 5);
    }
    p_.restore();
}

void SurfacePainter::handles(int selectedCount, const TvlView* bottomRight) {
    XorScope xorDrawing(p_);
    for (const auto& view : page_.Objects) {
        if (!selection_.contains(*view)) continue;
        for (const HandlePoint& h : HandlePoints(*view, selectedCount == 1)) {
            const bool teal = view.get() == bottomRight && h.handle == shBottomRight;
            p_.fillRect(h.centre.x() - 2, h.centre.y() - 2, 5, 5,
                        QColor::fromRgb(teal ? kTeal : 0xFFFFFF));
        }
    }
}

void SurfacePainter::outline(const SurfaceBox& box) {
    const SurfaceBox b = box.normalized();
    XorScope xorDrawing(p_);
    const QColor grey = QColor::fromRgb(kLightGrey);
    if (b.width() == 0 || b.height() == 0) {
        p_.fillRect(b.l, b.t, b.width() + 1, b.height() + 1, grey);
        return;
    }
    // edges on the object's own pixels, right and bottom included
    p_.fillRect(b.l, b.t, b.width() + 1, 1, grey);
    p_.fillRect(b.l, b.b, b.width() + 1, 1, grey);
    p_.fillRect(b.l, b.t + 1, 1, b.height() - 1, grey);
    p_.fillRect(b.r, b.t + 1, 1, b.height() - 1, grey);
}

void SurfacePainter::rubberLine(const SurfaceBox& box, int lineWidth) {
    XorScope xorDrawing(p_);
    const int w = std::max(1, lineWidth);
    const bool vertical = std::abs(box.height()) >= std::abs(box.width());
    const QColor white(Qt::white);
    if (vertical)
        p_.fillRect(box.l - (w - 1) / 2, std::min(box.t, box.b), w, std::abs(box.height()) + 1,
                    white);
    else
        p_.fillRect(std::min(box.l, box.r), box.t - (w - 1) / 2, std::abs(box.width()) + 1, w,
                    white);
}

void SurfacePainter::splitter(int x, int top, int bottom) {
    XorScope xorDrawing(p_);
    p_.fillRect(x, top, 1, std::max(1, bottom - top), QColor::fromRgb(kLightGrey));
}

} // namespace vl
