// vellum-templates: writes the sample report templates of the organizer
// into DIR/TaskList and DIR/Contacts through the engine's own template API;
// with --invoice, the invoice of the embedding examples into FILE.
#include "engine/script/CodePage.h"
#include "tools/templates/InvoiceTemplate.h"
#include "tools/templates/SampleTemplates.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool invoice = args.size() == 2 && args[0] == QLatin1String("--invoice");
    if (!invoice && (args.size() != 1 || args[0].startsWith(QLatin1String("--")))) {
        std::fprintf(stderr, "usage: vellum-templates DIR | --invoice FILE\n");
        return 2;
    }
    try {
        if (invoice) {
            templates::WriteInvoiceTemplate(args[1]);
            return 0;
        }
        for (const QString& path : templates::WriteSampleTemplates(args[0]))
            std::printf("%s\n", path.toUtf8().constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum-templates: %s\n", vl::ToQt(e.what()).toUtf8().constData());
        return 1;
    }
    return 0;
}
