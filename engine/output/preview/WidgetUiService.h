#pragma once

#include "engine/script/UiService.h"

namespace vl {

// The engine's dialogs as Qt dialogs: message boxes, the input box, the
// password prompt and the forms of dialog pages.
class WidgetUiService : public UiService {
public:
    std::string inputBox(const std::string& caption, const std::string& prompt,
                         const std::string& defaultText) override;
    std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& defaultText) override;
    int messageBox(const std::string& text, const std::string& caption, int flags) override;
    std::optional<std::string> askPassword(const std::string& caption,
                                           const std::string& prompt) override;
    int showDialogPage(TvlViewPage& page) override;
};

// The buttons and icon of message box flags (the low four bits choose the
// buttons, the next four the icon), and the modal result of a button.
struct MessageBoxLook {
    int buttons = 0; // QMessageBox::StandardButtons
    int icon = 0;    // QMessageBox::Icon
};
MessageBoxLook MessageBoxLookOf(int flags);
int ModalResultOf(int standardButton);

} // namespace vl
