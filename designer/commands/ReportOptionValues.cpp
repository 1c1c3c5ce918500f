#include "designer/commands/ReportOptionValues.h"

#include "engine/build/TvlReport.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"
#include "engine/script/LocaleService.h"

#include <QLocale>

namespace vl {

namespace {

QString DateText(double oleDate) {
    return QLocale().toString(OleDateToDateTime(oleDate), QLocale::ShortFormat);
}

} // namespace

TvlReportOptionValues TvlReportOptionValues::FromReport(const TvlReport& report,
                                                        const TvlPrinter& printer) {
    TvlReportOptionValues v;
    v.selectWhenLoaded = !report.PrintToDefault;
    for (const auto& name : printer.PrinterList())
        v.printers << ToQt(name);
    v.printerIndex = printer.SelectedPrinter();
    v.twoPass = report.TwoPass;
    v.passwordProtected = report.Info.Protected;
    const TvlReportInfo& info = report.Info;
    v.name = ToQt(info.Name);
    v.author = ToQt(info.Author);
    v.major = ToQt(info.VersionMajor);
    v.minor = ToQt(info.VersionMinor);
    v.release = ToQt(info.VersionRelease);
    v.build = ToQt(info.VersionBuild);
    v.comment = ToQt(info.Comment);
    v.created = DateText(info.Created);
    v.lastChange = DateText(info.LastChange);
    return v;
}

void TvlReportOptionValues::ApplyTexts(TvlReport& report) const {
    report.PrintToDefault = !selectWhenLoaded;
    report.TwoPass = twoPass;
    TvlReportInfo& info = report.Info;
    info.Name = FromQt(name);
    info.Author = FromQt(author);
    info.VersionMajor = FromQt(major);
    info.VersionMinor = FromQt(minor);
    info.VersionRelease = FromQt(release);
    info.VersionBuild = FromQt(build);
    info.Comment = FromQt(comment);
}

} // namespace vl
