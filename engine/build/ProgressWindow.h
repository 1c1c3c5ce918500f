#pragma once

#include <functional>
#include <string>

namespace vl {

// The window that shows how far a build or a print run has come. This
// class is what runs without a display: the work runs at once and the
// texts are only kept. A windowed program installs one that shows them,
// with a Cancel button that sets the stop flag.
class TvlProgressWindow {
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    virtual ~TvlProgressWindow() = default;

    // Shows the window modally and runs start once it is up; returns the
    // result the window was closed with.
    virtual int RunWithProgress(const std::string& caption, const std::string& progressText,
                                const std::function<void()>& start) {
        Caption = caption;
        ProgressText = progressText;
        FirstLine = progressText + "  1";
        result_ = kOk;
        if (start) start();
        return result_;
    }
    virtual void SetFirstLine(const std::string& line) { FirstLine = line; }
    virtual void Close(int modalResult) { result_ = modalResult; }
    // Dialog pages hide the window while they are shown.
    virtual bool Shown() const { return false; }
    virtual void SetShown(bool) {}

    std::string Caption;
    std::string ProgressText;
    std::string FirstLine;

private:
    int result_ = kOk;
};

} // namespace vl
