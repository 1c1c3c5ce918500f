// Writes the seeds of the build fuzzer that come from the sample templates:
// each sample that has no seed yet, and the samples with sub-reports and cross-tabs
// pushed past their bounds (a cross-tab of thousands of columns, a
// sub-report band taller than any page). Usage: make_build_seeds <folder>
#include "engine/build/TvlReport.h"
#include "engine/model/TvlView.h"
#include "tools/templates/SampleTemplates.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <functional>
#include <iostream>
#include <stdexcept>

namespace {

// The seed's file name: the sample's name in lower case, words joined by
// hyphens.
QString seedName(const QString& path) {
    return QFileInfo(path).completeBaseName().toLower().replace(QLatin1Char(' '),
                                                                QLatin1Char('-')) +
           QLatin1String(".vlf");
}

enum class Data { Tasks, Contacts };

// Loads a sample, changes it and writes it as a seed. The fuzzer builds a
// file of odd size against the task list and one of even size against the
// contacts: the comment grows by a blank when the size does not fit.
void writeVariant(const QString& sample, const QString& seed, Data data,
                  const std::function<void(vl::TvlReport&)>& change) {
    vl::TvlReport report("Seed");
    if (const vl::TvlLoadOutcome loaded = report.LoadFromFile(sample); !loaded)
        throw std::runtime_error(loaded.fullMessage());
    change(report);
    report.SaveToFile(seed);
    const bool odd = QFileInfo(seed).size() % 2 != 0;
    if (odd == (data == Data::Tasks)) return;
    report.Info.Comment += ' ';
    report.SaveToFile(seed);
}

void setHeight(vl::TvlReport& report, int pageIndex, const char* name, int height) {
    for (const auto& view : report.Pages()[pageIndex].Objects)
        if (view->Name == name) view->Height = height;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_build_seeds <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir samples;
    QString directory, crossTab;
    for (const QString& path : templates::WriteSampleTemplates(samples.path())) {
        const Data data = QFileInfo(path).dir().dirName() == QLatin1String("TaskList")
                              ? Data::Tasks
                              : Data::Contacts;
        // seeds of the samples stay as they were committed
        const QString seed = folder.filePath(seedName(path));
        if (!QFileInfo::exists(seed)) writeVariant(path, seed, data, [](vl::TvlReport&) {});
        if (path.endsWith(QLatin1String("Contact Directory.vlf"))) directory = path;
        if (path.endsWith(QLatin1String("Tasks by Status.vlf"))) crossTab = path;
    }
    writeVariant(crossTab, folder.filePath(QLatin1String("regression-cross-5000-columns")),
                 Data::Tasks, [](vl::TvlReport& report) {
                     if (vl::TvlView* statuses = report.FindObject("Statuses"))
                         statuses->FormatStr = "5000";
                 });
    writeVariant(directory, folder.filePath(QLatin1String("regression-subreport-never-fits")),
                 Data::Contacts,
                 [](vl::TvlReport& report) { setHeight(report, 1, "MasterData", 5000); });
    return 0;
}
