#include "designer/commands/TvlPasswForm.h"

#include "designer/commands/DialogSupport.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vl {

namespace {
constexpr int kCaptionText = 55653;
} // namespace

TvlPasswForm::TvlPasswForm(int promptId, QWidget* parent)
    : QDialog(parent), entry_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TvlPasswForm"));
    setWindowTitle(ResText(kCaptionText));
    entry_->setObjectName(QStringLiteral("Edit1"));
    entry_->setEchoMode(QLineEdit::Password);
    auto* prompt = new QLabel(ResText(promptId), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    prompt->setBuddy(entry_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(entry_);
    layout->addWidget(OkCancelButtons(this));
    entry_->setFocus();
}

QString TvlPasswForm::password() const {
    return entry_->text();
}

} // namespace vl
