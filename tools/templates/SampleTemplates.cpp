#include "tools/templates/SampleTemplates.h"

#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "tools/templates/PageLayout.h"

#include <QDir>
#include <functional>

namespace templates {

namespace {

using vl::TvlMemoView;

const TextStyle kCell{};
const TextStyle kStretchedCell{.stretched = true};
const TextStyle kLabel{.fontStyle = kBold, .color = kGrey};
const TextStyle kGroupTitle{.size = 11, .fontStyle = kBold, .color = kAccent};

// A script that calls one of the organizer's procedures.
vl::StringList callScript(const std::string& procedure) {
    return {"begin", "  " + procedure, "end"};
}

// The last column takes whatever width the others leave.
std::vector<Column> fitColumns(std::vector<Column> columns, int width) {
    int used = 0;
    for (std::size_t i = 0; i + 1 < columns.size(); ++i)
        used += columns[i].width;
    columns.back().width = width - used;
    return columns;
}

// A group header naming the category, with a rule under it.
void addCategoryHeader(PageLayout& layout) {
    vl::TvlBandView& group = layout.addBand(vl::btGroupHeader, "CategoryHeader", 30, "[Category]");
    group.Flags |= vl::TvlBandView::bfRepeatHeader;
    layout.addText(group, 0, 8, layout.width(), 20, {"[Category]"}, kGroupTitle);
    layout.addRule(group, 0, 28, layout.width());
}

// How many records the category had, and a gap before the next one. (The
// last footer stands after the last record, so it cannot name the category.)
void addCategoryFooter(PageLayout& layout, const std::string& noun) {
    vl::TvlBandView& footer = layout.addBand(vl::btGroupFooter, "CategoryFooter", 26);
    layout.addText(
        footer, layout.width() - 200, 2, 200, 16, {"[COUNT(MasterData)] " + noun},
        {.size = 8, .fontStyle = kItalic, .align = TvlMemoView::vltaRight, .color = kGrey});
}

// The number of all records at the end of the report.
void addTotal(PageLayout& layout, const std::string& text) {
    vl::TvlBandView& summary = layout.addBand(vl::btReportSummary, "Summary", 28);
    layout.addRule(summary, 0, 4, layout.width());
    layout.addText(summary, 0, 8, layout.width(), 18, {text}, {.fontStyle = kBold});
}

// Tasks grouped by category, one line each.
// What a list grouped by category shows.
struct GroupedList {
    std::string title;
    std::vector<Column> columns;
    std::string source; // the data source walked
    std::string unit;   // what a category counts, "task(s)"
    std::string total;  // the line at the end
};

// A list grouped by category: column headings on every page, a header and
// a count per category, and a total at the end.
void buildGroupedList(PageLayout& layout, const GroupedList& list) {
    const auto columns = fitColumns(list.columns, layout.width());
    layout.addPageHeader(list.title, columns);
    addCategoryHeader(layout);
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 20, list.source);
    data.Flags |= vl::TvlBandView::bfStretched;
    layout.addRow(data, columns, 2, 16, kStretchedCell);
    addCategoryFooter(layout, list.unit);
    addTotal(layout, list.total);
    layout.addPageFooter();
}

void buildTaskList(vl::TvlReport& report) {
    PageLayout layout(report, "Task List");
    buildGroupedList(
        layout, {"Task List",
                 {{"#", "[Line#]", 26, TvlMemoView::vltaRight},
                  {"Task", "[Name]", 220},
                  {"Due", "[DueDate #Dd mmm yyyy]", 92, TvlMemoView::vltaLeft, "[DueDate] < Date"},
                  {"Progress", "[Progress]", 62, TvlMemoView::vltaRight},
                  {"Status", "[Status]", 82},
                  {"Recurrence", "[Repeat]", 0}},
                 "DatasetTask",
                 "task(s)",
                 "Open tasks: [COUNT(MasterData)]"});
}

// One block per task with all its details and its notes.
void buildTaskSheet(vl::TvlReport& report) {
    PageLayout layout(report, "Task Sheet");
    layout.addPageHeader("Task Sheet");
    // Without "Breaked" a task that does not fit starts on the next page whole.
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 180, "DatasetTask");
    data.Flags |= vl::TvlBandView::bfStretched;
    const int w = layout.width(), half = w / 2;
    layout.addText(data, 0, 14, w - 160, 22, {"[Name]"},
                   {.size = 12, .fontStyle = kBold, .color = kAccent});
    layout.addText(data, w - 160, 16, 160, 18, {"[Category]"},
                   {.align = TvlMemoView::vltaRight, .color = kGrey});
    layout.addRule(data, 0, 38, w);
    const std::vector<std::pair<std::string, std::string>> left = {
        {"Status:", "[Status]"}, {"Progress:", "[Progress]"}, {"Contacts:", "[Contacts]"}};
    const std::vector<std::pair<std::string, std::string>> right = {
        {"Due date:", "[DueDate #Dmmmm d, yyyy]"}, {"Start date:", "[StartDate #Dmmmm d, yyyy]"}};
    for (std::size_t i = 0; i < left.size(); ++i) {
        const int y = 44 + static_cast<int>(i) * 18;
        layout.addText(data, 0, y, 80, 16, {left[i].first}, kLabel);
        layout.addText(data, 80, y, half - 90, 16, {left[i].second});
        if (i >= right.size()) continue;
        layout.addText(data, half, y, 80, 16, {right[i].first}, kLabel);
        layout.addText(data, half + 80, y, half - 80, 16, {right[i].second});
    }
    layout.addText(data, 0, 100, 80, 16, {"Recurrence:"}, kLabel);
    layout.addText(data, 80, 100, w - 80, 16, {"[Repeat]"});
    layout.addText(data, 0, 122, 80, 16, {"Notes:"}, kLabel);
    layout.addText(
        data, 80, 122, w - 80, 44, {"[Notes]"},
        {.frame = vl::vlftLeft | vl::vlftTop | vl::vlftRight | vl::vlftBottom, .stretched = true});
    layout.addPageFooter();
}

// Contacts grouped by category with their main numbers and address.
void buildContactList(vl::TvlReport& report) {
    PageLayout layout(report, "Contact List");
    layout.page().Script = callScript("SortByCategory");
    buildGroupedList(layout, {"Contact List",
                              {{"Name", "[Name]", 160},
                               {"Company", "[Company]", 120},
                               {"Business phone", "[BusinessPhone]", 108},
                               {"Mobile", "[Mobile]", 108},
                               {"E-mail", "[Email]", 0}},
                              "DatasetContacts",
                              "contact(s)",
                              "Contacts: [COUNT(MasterData)]"});
}

// An address card per contact, with the contact's photo.
void buildAddressBook(vl::TvlReport& report) {
    PageLayout layout(report, "Address Book");
    layout.page().Script = callScript("SortByName");
    layout.addPageHeader("Address Book");
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 116, "DatasetContacts");
    data.Script = callScript("LoadPhoto");
    const int w = layout.width(), textLeft = 92, right = w / 2 + 40;
    layout.addPicture(data, 0, 8, 80, 100, "Photo");
    layout.addText(data, textLeft, 8, right - textLeft - 8, 20, {"[Name]"},
                   {.size = 11, .fontStyle = kBold, .color = kAccent});
    layout.addText(data, textLeft, 28, right - textLeft - 8, 16, {"[JobTitle], [Company]"},
                   {.fontStyle = kItalic, .color = kGrey});
    layout.addText(data, textLeft, 48, right - textLeft - 8, 56,
                   {"[HomeStreet]", "[HomePostalCode] [HomeCity] [HomeState]", "[HomeCountry]"});
    const std::vector<std::pair<std::string, std::string>> numbers = {
        {"Home:", "[HomePhone]"},
        {"Mobile:", "[Mobile]"},
        {"Business:", "[BusinessPhone]"},
        {"E-mail:", "[Email]"},
        {"Category:", "[Category]"}};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int y = 12 + static_cast<int>(i) * 18;
        layout.addText(data, right, y, 70, 16, {numbers[i].first}, kLabel);
        layout.addText(data, right + 70, y, w - right - 70, 16, {numbers[i].second});
    }
    layout.addRule(data, 0, 114, w);
    layout.addPageFooter();
}

// Names in alphabetical order under their initial letter, with the numbers.
void buildPhoneList(vl::TvlReport& report) {
    PageLayout layout(report, "Phone List");
    layout.page().Script = callScript("SortByName");
    const auto columns = fitColumns({{"Name", "[Name]", 210},
                                     {"Home", "[HomePhone]", 150},
                                     {"Business", "[BusinessPhone]", 150},
                                     {"Mobile", "[Mobile]", 0}},
                                    layout.width());
    layout.addPageHeader("Phone List", columns);
    const std::string initial = "UpperCase(Copy([Name], 1, 1))";
    vl::TvlBandView& group = layout.addBand(vl::btGroupHeader, "InitialHeader", 24, initial);
    layout.addText(group, 0, 6, 60, 18, {"[" + initial + "]"}, kGroupTitle);
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 18, "DatasetContacts");
    layout.addRow(data, columns, 1, 16, kCell);
    layout.addPageFooter();
}

// Everyone with a birthday, with the date and how to reach them.
void buildBirthdayList(vl::TvlReport& report) {
    PageLayout layout(report, "Birthday List");
    layout.page().Script = callScript("SortByName");
    const auto columns = fitColumns(
        {{"Name", "[Name]", 200},
         {"Birthday", "[Birthday #Dmmmm d, yyyy]", 140},
         {"Age this year", "[YearOf(Date) - YearOf([Birthday])]", 90, TvlMemoView::vltaCenter},
         {"Category", "[Category]", 120},
         {"Phone", "[HomePhone]", 0}},
        layout.width());
    layout.addPageHeader("Birthday List", columns);
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 18, "DatasetContacts");
    // Contacts without a birthday give empty text and are left out.
    data.Script = {"begin", "  MasterData.Visible := Length(Str([Birthday])) > 0", "end"};
    layout.addRow(data, columns, 1, 16, kCell);
    layout.addPageFooter();
}

struct SampleTemplate {
    const char* folder;
    const char* name;
    std::function<void(vl::TvlReport&)> build;
};

const std::vector<SampleTemplate>& Samples() {
    static const std::vector<SampleTemplate> samples = {
        {"TaskList", "Task List", buildTaskList},
        {"TaskList", "Task Sheet", buildTaskSheet},
        {"Contacts", "Contact List", buildContactList},
        {"Contacts", "Address Book", buildAddressBook},
        {"Contacts", "Phone List", buildPhoneList},
        {"Contacts", "Birthday List", buildBirthdayList},
    };
    return samples;
}

} // namespace

QStringList WriteSampleTemplates(const QString& folder) {
    QStringList written;
    for (const SampleTemplate& sample : Samples()) {
        const QString dir = QDir(folder).filePath(QLatin1String(sample.folder));
        if (!QDir().mkpath(dir))
            throw vl::VlError("Cannot create folder \"" + vl::FromQt(dir) + "\"");
        vl::TvlReport report(sample.name);
        sample.build(report);
        const QString path = QDir(dir).filePath(QLatin1String(sample.name) + QLatin1String(".vlf"));
        report.SaveToFile(path);
        written << path;
    }
    return written;
}

} // namespace templates
