#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void printHelp() {
    std::printf("usage: vellum <command> [arguments]\n\nCommands:\n");
    for (const auto& c : vellum_cli::Commands())
        std::printf("  %-50.*s %.*s\n", static_cast<int>(c.usage.size()), c.usage.data(),
                    static_cast<int>(c.summary.size()), c.summary.data());
}

// Engine messages are 8-bit engine text; the terminal gets UTF-8.
void fail(const std::string& message) {
    std::fprintf(stderr, "vellum: %s\n", vl::ToQt(message).toUtf8().constData());
}

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

} // namespace

int main(int argc, char** argv) {
    chooseHeadlessPlatform();
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        printHelp();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& command : vellum_cli::Commands()) {
        if (name != QLatin1String(command.name.data(), static_cast<qsizetype>(command.name.size())))
            continue;
        try {
            return command.run(args);
        } catch (const vellum_cli::UsageError& e) {
            fail(std::string(e.what()) + " (usage: vellum " + std::string(command.usage) + ")");
            return 2;
        } catch (const std::exception& e) {
            fail(e.what());
            return 1;
        }
    }
    fail("unknown command \"" + name.toStdString() + "\"; see vellum --help");
    return 2;
}
