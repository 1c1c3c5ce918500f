#include "engine/output/preview/WidgetUiService.h"

#include "engine/output/preview/DialogPageForm.h"
#include "engine/script/CodePage.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace vl {

namespace {

// Message box flags.
constexpr int kButtonsMask = 0x0F;
constexpr int kIconMask = 0xF0;
enum : int {
    mbOk = 0,
    mbOkCancel = 1,
    mbAbortRetryIgnore = 2,
    mbYesNoCancel = 3,
    mbYesNo = 4,
    mbRetryCancel = 5,
};
enum : int {
    mbIconError = 0x10,
    mbIconQuestion = 0x20,
    mbIconWarning = 0x30,
    mbIconInformation = 0x40
};
// Modal results.
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

QString titleOr(const std::string& caption) {
    return caption.empty() ? QApplication::applicationName() : ToQt(caption);
}

} // namespace

MessageBoxLook MessageBoxLookOf(int flags) {
    MessageBoxLook look;
    using B = QMessageBox;
    switch (flags & kButtonsMask) {
    case mbOkCancel:
        look.buttons = B::Ok | B::Cancel;
        break;
    case mbAbortRetryIgnore:
        look.buttons = B::Abort | B::Retry | B::Ignore;
        break;
    case mbYesNoCancel:
        look.buttons = B::Yes | B::No | B::Cancel;
        break;
    case mbYesNo:
        look.buttons = B::Yes | B::No;
        break;
    case mbRetryCancel:
        look.buttons = B::Retry | B::Cancel;
        break;
    default:
        look.buttons = B::Ok;
        break;
    }
    switch (flags & kIconMask) {
    case mbIconError:
        look.icon = B::Critical;
        break;
    case mbIconQuestion:
        look.icon = B::Question;
        break;
    case mbIconWarning:
        look.icon = B::Warning;
        break;
    case mbIconInformation:
        look.icon = B::Information;
        break;
    default:
        look.icon = B::NoIcon;
        break;
    }
    return look;
}

int ModalResultOf(int standardButton) {
    switch (standardButton) {
    case QMessageBox::Ok:
        return mrOk;
    case QMessageBox::Cancel:
        return mrCancel;
    case QMessageBox::Abort:
        return mrAbort;
    case QMessageBox::Retry:
        return mrRetry;
    case QMessageBox::Ignore:
        return mrIgnore;
    case QMessageBox::Yes:
        return mrYes;
    case QMessageBox::No:
        return mrNo;
    default:
        return mrNone;
    }
}

int WidgetUiService::messageBox(const std::string& text, const std::string& caption, int flags) {
    const MessageBoxLook look = MessageBoxLookOf(flags);
    // the engine separates lines by carriage returns
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(static_cast<QMessageBox::Icon>(look.icon), titleOr(caption), shown,
                    static_cast<QMessageBox::StandardButtons>(look.buttons),
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    const int pressed = box.exec();
    // closing a box without a Cancel button answers with its first button
    if (pressed == QMessageBox::Escape || pressed == 0) return mrCancel;
    return ModalResultOf(pressed);
}

std::string WidgetUiService::inputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) {
    // a cancelled input box leaves its initial text
    return inputQuery(caption, prompt, defaultText).value_or(defaultText);
}

std::optional<std::string> WidgetUiService::inputQuery(const std::string& caption,
                                                       const std::string& prompt,
                                                       const std::string& defaultText) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(titleOr(caption));
    dialog.setLabelText(ToQt(prompt));
    dialog.setTextValue(ToQt(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQt(dialog.textValue());
}

std::optional<std::string> WidgetUiService::askPassword(const std::string& caption,
                                                        const std::string& prompt) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("PasswordBox"));
    dialog.setWindowTitle(titleOr(caption));
    dialog.setLabelText(ToQt(prompt));
    dialog.setTextEchoMode(QLineEdit::Password);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQt(dialog.textValue());
}

int WidgetUiService::showDialogPage(TvlViewPage& page) {
    return ShowDialogPageForm(page);
}

} // namespace vl
