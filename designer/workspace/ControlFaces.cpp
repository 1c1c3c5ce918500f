#include "designer/workspace/ControlFaces.h"

#include "engine/model/TvlDialogControl.h"
#include "engine/script/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <memory>

namespace vl {

namespace {

std::unique_ptr<QWidget> FaceWidget(const TvlDialogControl& c) {
    const QString text = ToQt(c.Text);
    switch (c.Kind) {
    case TvlControlKind::Label:
        return std::make_unique<QLabel>(text);
    case TvlControlKind::Edit:
        return std::make_unique<QLineEdit>(text);
    case TvlControlKind::CheckBox: {
        auto box = std::make_unique<QCheckBox>(text);
        box->setChecked(c.Checked);
        return box;
    }
    case TvlControlKind::ComboBox: {
        auto combo = std::make_unique<QComboBox>();
        combo->setEditable(true);
        combo->setEditText(text);
        return combo;
    }
    case TvlControlKind::Button:
        return std::make_unique<QPushButton>(text);
    }
    return nullptr;
}

} // namespace

void PaintControlFace(QPainter& painter, const TvlDialogControl& c) {
    if (c.Width <= 0 || c.Height <= 0) return;
    const auto widget = FaceWidget(c);
    if (!widget) return;
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->resize(c.Width, c.Height);
    widget->render(&painter, QPoint(c.Left, c.Top), QRegion(),
                   QWidget::DrawChildren); // on the page's own colour
}

} // namespace vl
