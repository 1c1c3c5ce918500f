// vellum-samples: writes the sample organizer data and the sample shop
// database that the demos and benchmarks use.
#include "engine/script/CodePage.h"
#include "tools/samples/SampleData.h"
#include "tools/samples/SampleDatabase.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>

namespace {

constexpr const char* kUsage =
    "usage: vellum-samples DIR [--count N] [--seed S] [--today YYYY-MM-DD]\n"
    "       vellum-samples --database FILE [--lines N] [--seed S]\n";

int usage() {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
}

int run(const std::function<void()>& write) {
    try {
        write();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum-samples: %s\n", vl::ToQt(e.what()).toUtf8().constData());
        return 1;
    }
    return 0;
}

// --database FILE [--lines N] [--seed S]: the shop database.
int writeShop(const QStringList& args) {
    samples::ShopOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (i + 1 >= args.size()) return usage();
        if (a == QLatin1String("--database"))
            options.file = args[++i];
        else if (a == QLatin1String("--lines"))
            options.orderLines = args[++i].toInt();
        else if (a == QLatin1String("--seed"))
            options.seed = args[++i].toUInt();
        else
            return usage();
    }
    if (options.file.isEmpty() || options.orderLines <= 0) return usage();
    return run([&] { samples::WriteShopDatabase(options); });
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("--database"))) return writeShop(args);
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
            return usage();
        }
    }
    if (options.folder.isEmpty() || options.taskCount < 0 || !options.today.isValid())
        return usage();
    return run([&] { samples::WriteSampleOrganizer(options); });
}
