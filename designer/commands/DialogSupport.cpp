#include "designer/commands/DialogSupport.h"

#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace vl {

namespace {
constexpr int kOkText = 55000;
constexpr int kCancelText = 55001;
} // namespace

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(ResText(kOkText));
    buttons->button(QDialogButtonBox::Cancel)->setText(ResText(kCancelText));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace vl
