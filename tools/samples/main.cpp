// vellum-samples: writes the sample organizer data that the demos and
// benchmarks use.
#include "engine/script/CodePage.h"
#include "tools/samples/SampleData.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    samples::SampleOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--count") && hasValue) {
            options.taskCount = options.contactCount = args[++i].toInt();
        } else if (a == QLatin1String("--seed") && hasValue) {
            options.seed = args[++i].toUInt();
        } else if (a == QLatin1String("--today") && hasValue) {
            options.today = QDate::fromString(args[++i], Qt::ISODate);
        } else if (!a.startsWith(QLatin1String("--")) && options.folder.isEmpty()) {
            options.folder = a;
        } else {
            std::fprintf(stderr,
                         "usage: vellum-samples DIR [--count N] [--seed S] [--today YYYY-MM-DD]\n");
            return 2;
        }
    }
    if (options.folder.isEmpty() || options.taskCount < 0 || !options.today.isValid()) {
        std::fprintf(stderr,
                     "usage: vellum-samples DIR [--count N] [--seed S] [--today YYYY-MM-DD]\n");
        return 2;
    }
    try {
        samples::WriteSampleOrganizer(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum-samples: %s\n", vl::ToQt(e.what()).toUtf8().constData());
        return 1;
    }
    return 0;
}
