#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace vl {

class TvlPrinter;
class TvlReport;
struct TvlDesignerSettings;
struct TvlEditorFonts;
struct TvlFieldBlockChoice;
struct TvlPageOptionValues;
struct TvlReportOptionValues;
struct TvlTemplateHeader;

enum class TvlAnswer { Yes, No, Cancel };

// File filters of the open and save dialogs, in their order.
enum TvlOpenFilter : int { ofForm = 0, ofDictionary = 1 };
enum TvlSaveFilter : int { sfForm = 0, sfForm3 = 1, sfTemplate = 2, sfDictionary = 3 };

// Every question the file, page and option commands put to the user. The
// designer uses the windows (TvlWidgetAsk); tests answer without them.
// Each dialog method edits its argument and returns false for Cancel.
class TvlDesignerAsk {
public:
    virtual ~TvlDesignerAsk() = default;

    // The save question (its whole text) with Yes, No and Cancel.
    virtual TvlAnswer saveChanges(const QString& question) = 0;
    virtual bool confirmRemovePage() = 0;
    // A file to open or save; empty for Cancel. filter comes in as the
    // filter to show first and goes out as the one chosen.
    virtual QString openFile(const QString& folder, int& filter) = 0;
    virtual QString saveFile(const QString& folder, const QString& proposed, int& filter) = 0;
    // A ".vlt" file of the folder ("New report"), an empty text for the
    // blank report, none for Cancel.
    virtual std::optional<QString> chooseTemplate(const QString& folder) = 0;
    // The description and picture of a new skeleton file.
    virtual bool describeTemplate(TvlTemplateHeader& header) = 0;

    virtual bool pageOptions(TvlPageOptionValues& values, const TvlPrinter& printer) = 0;
    virtual bool reportOptions(TvlReportOptionValues& values) = 0;
    // One entry of the password dialog with the prompt of that text number;
    // none for Cancel.
    virtual std::optional<std::string> password(int promptId) = 0;
    virtual bool designerOptions(TvlDesignerSettings& settings, TvlEditorFonts& fonts) = 0;
    // The dictionary editor on the report's dictionary; true when its OK
    // copied the edits back.
    virtual bool editDictionary(TvlReport& report) = 0;
    virtual bool chooseFields(const TvlReport& report, TvlFieldBlockChoice& choice) = 0;
    // Shows the report's prepared pages in the stand-alone preview window.
    virtual void showPrepared(TvlReport& report) = 0;
    // Says that the named data sources have no data here, so that their
    // bands would print nothing; true to preview all the same.
    virtual bool previewWithoutData(const QStringList& sources) = 0;
};

} // namespace vl
