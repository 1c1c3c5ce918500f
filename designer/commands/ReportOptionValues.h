#pragma once

#include <QString>
#include <QStringList>

namespace vl {

class TvlReport;
class TvlPrinter;

// The report options dialog's contents: printer choice, passes, the
// password flag and the report's descriptive texts.
struct TvlReportOptionValues {
    bool selectWhenLoaded = true; // the report does not keep the default printer
    QStringList printers;
    int printerIndex = -1;
    bool twoPass = false;
    bool passwordProtected = false;
    QString name, author, major, minor, release, build, comment;
    QString created, lastChange; // shown only

    static TvlReportOptionValues FromReport(const TvlReport& report, const TvlPrinter& printer);
    // The flags and texts; the printer and the password are the commands'.
    void ApplyTexts(TvlReport& report) const;
};

} // namespace vl
