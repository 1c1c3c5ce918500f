// vellum-templates: writes the sample report templates of the organizer
// into DIR/TaskList and DIR/Contacts, the invoice template of the sample
// shop database into FILE (--invoice), or the invoice of the embedding
// examples into FILE (--example-invoice), through the engine's own
// template API.
#include "engine/script/CodePage.h"
#include "tools/templates/ExampleInvoice.h"
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
    const bool example = args.size() == 2 && args[0] == QLatin1String("--example-invoice");
    if (!invoice && !example && (args.size() != 1 || args[0].startsWith(QLatin1String("--")))) {
        std::fprintf(stderr, "usage: vellum-templates DIR\n       vellum-templates --invoice FILE\n"
                             "       vellum-templates --example-invoice FILE\n");
        return 2;
    }
    try {
        QStringList written;
        if (invoice) {
            templates::WriteInvoiceTemplate(args[1]);
            written << args[1];
        } else if (example) {
            templates::WriteExampleInvoice(args[1]);
            written << args[1];
        } else {
            written = templates::WriteSampleTemplates(args[0]);
        }
        for (const QString& path : written)
            std::printf("%s\n", path.toUtf8().constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum-templates: %s\n", vl::ToQt(e.what()).toUtf8().constData());
        return 1;
    }
    return 0;
}
