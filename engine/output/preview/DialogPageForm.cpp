#include "engine/output/preview/DialogPageForm.h"

#include "engine/build/TvlPage.h"
#include "engine/model/TvlColor.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/script/CodePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace vl {

namespace {

constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// A control's widget as the engine reaches it.
class ControlWidget : public TvlWrappedControl {
public:
    explicit ControlWidget(QWidget* widget) : widget_(widget) {}
    void setVisible(bool visible) override {
        if (widget_) widget_->setVisible(visible);
    }
    void setBounds(int left, int top, int width, int height) override {
        if (widget_) widget_->setGeometry(left, top, width, height);
    }
    void paint(QPainter& painter, QSize size) override {
        if (!widget_) return;
        widget_->resize(size);
        widget_->render(&painter);
    }
    bool formHasComponent(std::string_view name) const override {
        return widget_ && widget_->window()->findChild<QWidget*>(ToQt(name)) != nullptr;
    }
    QWidget* widget() const { return widget_; }

private:
    QPointer<QWidget> widget_;
};

QWidget* makeWidget(TvlDialogControl& c, QDialog& form) {
    const QString text = ToQt(c.Text);
    switch (c.Kind) {
    case TvlControlKind::Label:
        return new QLabel(text, &form);
    case TvlControlKind::Edit:
        return new QLineEdit(text, &form);
    case TvlControlKind::CheckBox: {
        auto* box = new QCheckBox(text, &form);
        box->setChecked(c.Checked);
        return box;
    }
    case TvlControlKind::ComboBox: {
        auto* combo = new QComboBox(&form);
        combo->setEditable(true);
        for (const std::string& item : c.Items)
            combo->addItem(ToQt(item));
        if (c.ItemIndex >= 0 && c.ItemIndex < combo->count())
            combo->setCurrentIndex(c.ItemIndex);
        else
            combo->setEditText(text);
        return combo;
    }
    case TvlControlKind::Button: {
        auto* button = new QPushButton(text, &form);
        button->setAutoDefault(false);
        button->setDefault(c.ModalResult == kModalOk);
        const int result = c.ModalResult;
        QObject::connect(button, &QPushButton::clicked, &form, [&form, result] {
            if (result != 0) form.done(result);
        });
        return button;
    }
    }
    return nullptr;
}

void readWidget(TvlDialogControl& c, QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w)) c.Text = FromQt(edit->text());
    if (auto* box = qobject_cast<QCheckBox*>(w)) c.Checked = box->isChecked();
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        c.Text = FromQt(combo->currentText());
        c.ItemIndex = combo->findText(combo->currentText());
    }
}

} // namespace

DialogPageForm::DialogPageForm(TvlPage& page, QWidget* parent) : QDialog(parent), page_(page) {
    const TvlDialogForm& d = page.Dialog;
    setObjectName(ToQt(page.Name.empty() ? std::string("DialogPage") : page.Name));
    setWindowTitle(ToQt(d.Caption));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(static_cast<TvlColor>(d.Color)));
    setPalette(colours);
    setAutoFillBackground(true);
    resize(std::max(d.Width, 100), std::max(d.Height, 60));
    if (d.Position == TvlDialogForm::poDesigned) move(d.Left, d.Top);
    for (const auto& view : page.Objects) {
        auto* control = dynamic_cast<TvlControl*>(view.get());
        if (!control) continue;
        QWidget* widget = nullptr;
        if (auto* c = dynamic_cast<TvlDialogControl*>(control)) widget = makeWidget(*c, *this);
        if (!widget) continue;
        widget->setObjectName(ToQt(control->Name));
        widget->setGeometry(control->Left, control->Top, control->Width, control->Height);
        widget->setVisible(control->Visible);
        control->Control = new ControlWidget(widget);
    }
}

DialogPageForm::~DialogPageForm() {
    for (const auto& view : page_.Objects)
        if (auto* control = dynamic_cast<TvlControl*>(view.get())) {
            delete control->Control;
            control->Control = nullptr;
        }
}

int DialogPageForm::Run() {
    const int result = exec();
    readBack();
    // closed by its window button or Escape
    return result == QDialog::Rejected ? kModalCancel : result;
}

void DialogPageForm::readBack() {
    for (const auto& view : page_.Objects) {
        auto* c = dynamic_cast<TvlDialogControl*>(view.get());
        if (!c || !c->Control) continue;
        readWidget(*c, static_cast<ControlWidget*>(c->Control)->widget());
    }
}

int ShowDialogPageForm(TvlViewPage& page) {
    auto* dialogPage = dynamic_cast<TvlPage*>(&page);
    if (!dialogPage) return kModalOk;
    DialogPageForm form(*dialogPage, QApplication::activeWindow());
    return form.Run();
}

} // namespace vl
