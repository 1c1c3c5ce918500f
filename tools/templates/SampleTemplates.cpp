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

// One side of the contact directory: the contacts by category with one
// kind of number, on a page of its own that a sub-report object prints.
void buildDirectoryColumn(vl::TvlReport& report, int width, const std::string& heading,
                          const std::string& number) {
    PageLayout layout(report);
    vl::TvlBandView& group = layout.addBand(vl::btGroupHeader, "CategoryHeader", 26, "[Category]");
    layout.addText(group, 0, 6, width, 18, {"[Category]"}, kGroupTitle);
    layout.addRule(group, 0, 25, width);
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 18, "DatasetContacts");
    const int nameWidth = width * 9 / 20;
    layout.addText(data, 0, 1, nameWidth, 16, {"[Name]"});
    layout.addText(data, nameWidth, 1, width - nameWidth, 16, {number}, {.color = kGrey});
    layout.page().Name = heading;
}

// Telephone numbers and e-mail addresses of every category side by side:
// two sub-reports over the contacts that go on together from page to page.
void buildContactDirectory(vl::TvlReport& report) {
    PageLayout layout(report, "Contact Directory");
    layout.page().Script = callScript("SortByCategory");
    layout.addPageHeader("Contact Directory");
    const int gap = 24, side = (layout.width() - gap) / 2;
    vl::TvlBandView& both = layout.addBand(vl::btMasterData, "Directory", 46, "1");
    const TextStyle heading{.size = 10, .fontStyle = kBold, .fill = kHeadingFill};
    layout.addText(both, 0, 0, side, 20, {"Telephone"}, heading);
    layout.addText(both, side + gap, 0, side, 20, {"E-mail"}, heading);
    layout.addSubReport(both, 0, 26, side, 20, 1);
    layout.addSubReport(both, side + gap, 26, side, 20, 2);
    layout.addPageFooter();
    buildDirectoryColumn(report, side, "Telephone", "[Mobile]");
    buildDirectoryColumn(report, side, "E-mail", "[Email]");
}

// The statuses a task can have, in the order of the cross-tab's columns,
// which end with the total of all of them.
const std::vector<std::string> kStatuses = {"Not started", "In progress", "Waiting", "Deferred",
                                            "Completed"};

// The heading of the cross-tab column numbered COLUMN#.
std::string statusHeading() {
    std::string text = "'Total'";
    for (std::size_t i = kStatuses.size(); i-- > 0;)
        text = "IF(COLUMN# = " + std::to_string(i + 1) + ", '" + kStatuses[i] + "', " + text + ")";
    return text;
}

// Counts one task in the column of its status and in the total column.
std::string statusCount() {
    const std::string total = std::to_string(kStatuses.size() + 1);
    return "SUM(IF(COLUMN# = " + total + ", 1, IF([Status] = " + statusHeading() + ", 1, 0)))";
}

// Open tasks counted by category (rows) and status (columns), with the
// totals of each category and of each status.
void buildTasksByStatus(vl::TvlReport& report) {
    PageLayout layout(report, "Tasks by Status");
    layout.page().Script = callScript("SortByCategory");
    layout.addPageHeader("Tasks by Category and Status");
    const int labelWidth = 170;
    const int cellWidth = (layout.width() - labelWidth) / static_cast<int>(kStatuses.size() + 1);
    layout.addCrossBand(vl::btCrossHeader, "Categories", 0, labelWidth);
    layout.addCrossBand(vl::btCrossData, "Statuses", labelWidth, cellWidth,
                        std::to_string(kStatuses.size() + 1));
    const TextStyle headingCell{.fontStyle = kBold,
                                .align = TvlMemoView::vltaCenter,
                                .fill = kHeadingFill,
                                .frame = vl::vlftTop | vl::vlftBottom};
    vl::TvlBandView& headings = layout.addBand(vl::btColumnHeader, "Headings", 24);
    TextStyle firstHeading = headingCell;
    firstHeading.align = TvlMemoView::vltaLeft;
    layout.addText(headings, 0, 2, labelWidth, 20, {"Category"}, firstHeading);
    layout.addText(headings, labelWidth, 2, cellWidth, 20, {"[" + statusHeading() + "]"},
                   headingCell);
    // The category is noted when it begins: its row prints after its last
    // task, when the walk may have left it.
    vl::TvlBandView& group = layout.addBand(vl::btGroupHeader, "CategoryHeader", 0, "[Category]");
    group.Script = {"begin", "  CategoryName := [Category]", "end"};
    // The tasks count column by column without printing.
    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "MasterData", 0, "DatasetTask");
    layout.addText(data, labelWidth, 0, cellWidth, 0, {""}).Visible = false;
    const TextStyle countCell{.align = TvlMemoView::vltaCenter, .frame = vl::vlftBottom};
    vl::TvlBandView& row = layout.addBand(vl::btGroupFooter, "CategoryRow", 22);
    layout.addText(row, 0, 2, labelWidth, 20, {"[CategoryName]"}, {.frame = vl::vlftBottom});
    layout.addText(row, labelWidth, 2, cellWidth, 20, {"[" + statusCount() + "]"}, countCell);
    vl::TvlBandView& totals = layout.addBand(vl::btReportSummary, "Totals", 26);
    TextStyle totalCell = countCell;
    totalCell.fontStyle = kBold;
    totalCell.frame = vl::vlftBottom | vl::vlftTop;
    layout.addText(totals, 0, 4, labelWidth, 20, {"All categories"}, {.fontStyle = kBold});
    layout.addText(totals, labelWidth, 4, cellWidth, 20, {"[" + statusCount() + "]"}, totalCell);
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
        {"TaskList", "Tasks by Status", buildTasksByStatus},
        {"Contacts", "Contact List", buildContactList},
        {"Contacts", "Address Book", buildAddressBook},
        {"Contacts", "Phone List", buildPhoneList},
        {"Contacts", "Birthday List", buildBirthdayList},
        {"Contacts", "Contact Directory", buildContactDirectory},
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
