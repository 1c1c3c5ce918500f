#include "engine/build/MemoryRetention.h"
#include "tools/vellum/Commands.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The command line draws and measures without a window: with no display it
// uses the offscreen platform.
void chooseHeadlessPlatform() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt warns on stderr without a runtime folder; a private one keeps the
    // output clean for the programs that read it.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/vellum-runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 0);
    }
}

// The preview and the designer open windows unless they are only asked for
// their usage.
bool opensWindows(int argc, char** argv) {
    if (argc < 2 || (std::string(argv[1]) != "preview" && std::string(argv[1]) != "design"))
        return false;
    for (int i = 2; i < argc; ++i)
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") return false;
    return true;
}

bool hasDisplay() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    // A command may build many reports (or one very large): memory freed by
    // one build serves the next instead of going back to the system.
    vl::KeepMemoryBetweenBuilds();
    // Only the preview and the designer open windows; every other command
    // draws without them.
    const bool windows = opensWindows(argc, argv);
    if (windows && !hasDisplay()) {
        std::fprintf(stderr, "vellum: the %s needs a display\n",
                     std::string(argv[1]) == "design" ? "designer" : "preview");
        return 1;
    }
    if (!windows) chooseHeadlessPlatform();
    std::unique_ptr<QGuiApplication> app;
    if (windows) {
        app = std::make_unique<QApplication>(argc, argv);
        // the settings of the program's windows are kept under its title
        QCoreApplication::setApplicationName(QStringLiteral("Vellum"));
    } else {
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return vellum_cli::RunCommandLine(QCoreApplication::arguments().mid(1));
}
