#pragma once

#include <string>
#include <sys/types.h>

namespace vl::test {

// An X display of the test's own (Xvfb on a free display number) with a
// window manager (openbox) running on it, so that windows are framed,
// placed and stacked as a person sees them. Made before the application
// object, which then connects to it through DISPLAY. Stopped with the
// object.
class PrivateDisplay {
public:
    PrivateDisplay() = default;
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // True when the display and its window manager run and DISPLAY names
    // it; otherwise reason says why.
    bool start(int width, int height, std::string& reason);

private:
    bool startServer(int width, int height, std::string& reason);
    bool startWindowManager(std::string& reason);

    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::string display_;
    std::string readyFile_;
};

} // namespace vl::test
