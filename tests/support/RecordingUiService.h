#pragma once

#include "engine/script/UiService.h"

#include <string>
#include <vector>

namespace vltest {

// Shows nothing: keeps what each message box said ("caption: text") and its
// flags, and answers with the button a test chose (OK unless told);
// input boxes answer their initial text.
class RecordingUiService : public vl::HeadlessUiService {
public:
    static constexpr int kYes = 6;

    int messageBox(const std::string& text, const std::string& caption, int flags) override {
        messages.push_back(caption + ": " + text);
        lastFlags = flags;
        return answer;
    }

    std::vector<std::string> messages;
    int lastFlags = -1;
    int answer = kModalOk;
};

} // namespace vltest
