// vellum-templates: writes the sample report templates of the organizer
// into DIR/TaskList and DIR/Contacts through the engine's own template API.
#include "engine/script/CodePage.h"
#include "tools/templates/SampleTemplates.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        std::fprintf(stderr, "usage: vellum-templates DIR\n");
        return 2;
    }
    try {
        for (const QString& path : templates::WriteSampleTemplates(args[0]))
            std::printf("%s\n", path.toUtf8().constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum-templates: %s\n", vl::ToQt(e.what()).toUtf8().constData());
        return 1;
    }
    return 0;
}
