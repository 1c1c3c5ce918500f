#include "engine/model/TvlControl.h"

#include "engine/model/ViewState.h"

#include <QImage>
#include <QPainter>

namespace vl {

TvlControl::TvlControl() {
    Typ = otAddIn;
    FillColor = clBtnFace;
    FrameTyp = vlftNone;
}

void TvlControl::SetProperty(std::string_view name, const Variant& value) {
    TvlView::SetProperty(name, value);
    const std::string n = UpperName(name);
    if (n == "VISIBLE" && Control) Control->setVisible(Visible);
    if (Control && (n == "LEFT" || n == "TOP" || n == "WIDTH" || n == "HEIGHT"))
        Control->setBounds(Left, Top, Width, Height);
}

void TvlControl::RegisterProperties() {
    ClearProperties();
    AddProperty("Name", pkText | pkSingle);
    for (const char* n : {"Left", "Top", "Width", "Height"})
        AddProperty(n, pkSize);
    AddProperty("Visible", pkBoolean);
    AddProperty("Restrictions", pkEditor, [this] {
        if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, "Restrictions");
    });
}

void TvlControl::Draw(const TvlDrawContext& context) {
    PrepareDraw(context);
    if (Control) Control->setBounds(0, 0, Width, Height);
    ScaleForOutput();
    PaintControlImage();
    RestoreGeometry();
    if (Control) Control->setBounds(Left, Top, Width, Height);
}

void TvlControl::PaintControlImage() {
    if (!Canvas || viewState().noDrawing || Width < 0 || Height < 0) return;
    QImage image(Width + 1, Height + 1, QImage::Format_RGB32);
    image.fill(ToQColor(clBtnFace));
    if (Control) {
        QPainter p(&image);
        Control->paint(p, image.size());
    }
    Canvas->drawImage(QPoint(Left, Top), image);
}

} // namespace vl
