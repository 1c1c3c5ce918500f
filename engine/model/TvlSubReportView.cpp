#include "engine/model/TvlSubReportView.h"

#include "engine/model/ViewDrawing.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/script/Stream.h"

#include <QPainter>

namespace vl {

TvlSubReportView::TvlSubReportView() {
    Typ = otSubReport;
    BaseName = "SubReport";
}

void TvlSubReportView::Draw(const TvlDrawContext& context) {
    PrepareDraw(context);
    FrameWidth = 1;
    ScaleForOutput();
    if (Canvas && !viewState().noDrawing) {
        QPainter& p = *Canvas;
        p.save();
        p.setFont(ViewFont("Arial", 8));
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::white);
        p.drawRect(Left, Top, Width, Height);
        p.setBrush(Qt::NoBrush);
        DrawTextAt(p, Left + 2, Top + 2, Name, &DRect);
        p.restore();
    }
    RestoreGeometry();
}

void TvlSubReportView::SaveToStream(Stream& stream) {
    TvlView::SaveToStream(stream);
    WriteInteger(stream, SubPage);
}

void TvlSubReportView::LoadFromStream(Stream& stream) {
    TvlView::LoadFromStream(stream);
    SubPage = ReadInteger(stream);
}

void TvlSubReportView::WriteXml(Stream& stream) {
    TvlView::WriteXml(stream);
    WriteXmlAttr(stream, "Page", "Page" + std::to_string(static_cast<long long>(SubPage) + 1));
}

} // namespace vl
