#include "engine/model/TvlLineView.h"

#include "engine/model/ViewDrawing.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/script/Stream.h"

#include <QPainter>

namespace vl {

TvlLineView::TvlLineView() {
    Typ = otLine;
    BaseName = "Line";
    FrameTyp = vlftLeft;
    FillColor = clWhite;
}

void TvlLineView::RegisterProperties() {
    TvlView::RegisterProperties();
    AddProperty("Stretched", pkBoolean);
}

void TvlLineView::Draw(const TvlDrawContext& context) {
    PrepareDraw(context);
    if (Height < Width) {
        Height = 0;
        FrameTyp = vlftTop;
    } else {
        Width = 0;
        FrameTyp = vlftLeft;
    }
    ScaleForOutput();
    PaintFrame();
    RestoreGeometry();
}

QRegion TvlLineView::CreateClipRegion(bool extended) {
    const double fw = FrameWidth;
    const bool dbl = FrameStyle == psDouble;
    const int outer = static_cast<int>(dbl ? fw * 1.5 : fw * 0.5);
    const int inner = dbl ? static_cast<int>(static_cast<int>((fw - 1) / 2) + fw)
                          : static_cast<int>((fw - 1) / 2);
    int l = Left, t = Top, r = Left + Width + 1, b = Top + Height + 1;
    if (FrameTyp == vlftLeft) {
        l -= outer;
        r += inner;
    } else {
        t -= outer;
        b += inner;
    }
    if (extended) {
        l -= 10;
        t -= 10;
        r += 10;
        b += 10;
    }
    return QRegion(l, t, std::max(0, r - l), std::max(0, b - t));
}

void TvlLineView::WriteXml(Stream& stream) {
    TvlView::WriteXml(stream);
    if (!isStretched()) WriteXmlAttr(stream, "Stretched", "False");
}

} // namespace vl
