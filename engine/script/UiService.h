#pragma once

#include <memory>
#include <optional>
#include <string>

namespace vl {

class TvlViewPage;

// The dialogs that expression functions may open (INPUT, MESSAGEBOX). A
// windowed program installs one that shows real dialogs; without one the
// engine runs headless and answers as if the user confirmed at once.
class UiService {
public:
    virtual ~UiService() = default;
    // A modal input box; returns the text the user leaves in it.
    virtual std::string inputBox(const std::string& caption, const std::string& prompt,
                                 const std::string& defaultText) = 0;
    // The same input box that tells Cancel apart: nothing when cancelled.
    // Services without that distinction answer as inputBox does.
    virtual std::optional<std::string> inputQuery(const std::string& caption,
                                                  const std::string& prompt,
                                                  const std::string& defaultText) {
        return inputBox(caption, prompt, defaultText);
    }
    // A modal message box with mb_ flags; returns the mr code of the button pressed.
    virtual int messageBox(const std::string& text, const std::string& caption, int flags) = 0;
    // The password dialog of protected templates: the text entered, or
    // nothing when cancelled. Without a dialog nothing is entered.
    virtual std::optional<std::string> askPassword(const std::string& /*caption*/,
                                                   const std::string& /*prompt*/) {
        return std::nullopt;
    }
    // A dialog page of a report shown modally; returns its modal result
    // (2 = cancelled). Without a window it is accepted with its defaults.
    virtual int showDialogPage(TvlViewPage& /*page*/) { return 1; }
};

// Shows nothing: the input box returns its initial text, the message box mrOk.
class HeadlessUiService : public UiService {
public:
    std::string inputBox(const std::string&, const std::string&,
                         const std::string& defaultText) override {
        return defaultText;
    }
    int messageBox(const std::string&, const std::string&, int) override { return kModalOk; }

    static constexpr int kModalOk = 1;
};

} // namespace vl
