#pragma once

#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/BandType.h"

#include <map>
#include <string>
#include <vector>

namespace templates {

// Font style codes as templates store them.
constexpr int kItalic = 1;
constexpr int kBold = 2;

// The colours the samples share: titles, secondary text, heading fill.
constexpr vl::TvlColor kAccent = vl::RgbColor(31, 73, 125);
constexpr vl::TvlColor kGrey = vl::RgbColor(96, 96, 96);
constexpr vl::TvlColor kHeadingFill = vl::RgbColor(221, 230, 241);
constexpr vl::TvlColor kAlert = vl::RgbColor(192, 0, 0);

// How a text object looks.
struct TextStyle {
    int size = 9; // points
    int fontStyle = 0;
    std::int32_t align = vl::TvlMemoView::vltaLeft;
    vl::TvlColor color = vl::clBlack;
    vl::TvlColor fill = vl::clNone;
    std::uint16_t frame = vl::vlftNone;
    bool stretched = false; // grows the band to its text
};

// A column of a tabular report: its heading and the text of its cells,
// shown bold in red while the highlight condition holds.
struct Column {
    std::string caption;
    std::string text;
    int width;
    std::int32_t align = vl::TvlMemoView::vltaLeft;
    std::string highlight = {};
};

// Lays out the one page of a report template from the top down: bands one
// below the other (with room for the designer's band titles between them)
// and the objects inside them, placed relative to the band and to the left
// edge of the printable area. Objects are named after their kind unless
// given a name.
class PageLayout {
public:
    // Empties the report and gives it one A4 portrait page, built in two
    // passes so that footers know the page count.
    PageLayout(vl::TvlReport& report, const std::string& reportName);
    // A further page of the report, printed only through sub-report
    // objects: A4 like the first, its objects placed from the page's left
    // border, since a sub-report prints them relative to its own place.
    explicit PageLayout(vl::TvlReport& report);

    vl::TvlPage& page() { return page_; }
    // The printable width in page pixels.
    int width() const;

    vl::TvlBandView& addBand(vl::TvlBandType type, const std::string& name, int height,
                             const std::string& setting = {});
    vl::TvlMemoView& addText(vl::TvlBandView& band, int x, int y, int w, int h,
                             const std::vector<std::string>& lines, const TextStyle& style = {});
    // A horizontal rule of the given pen width.
    vl::TvlLineView& addRule(vl::TvlBandView& band, int x, int y, int w, float penWidth = 1);
    // A vertical band of a cross-tab from x across the whole page; it does
    // not take the next band's place.
    vl::TvlBandView& addCrossBand(vl::TvlBandType type, const std::string& name, int x, int w,
                                  const std::string& setting = {});
    // The place where the report page of that index prints.
    vl::TvlSubReportView& addSubReport(vl::TvlBandView& band, int x, int y, int w, int h,
                                       int pageIndex);
    vl::TvlPictureView& addPicture(vl::TvlBandView& band, int x, int y, int w, int h,
                                   const std::string& name);

    // The page header every sample has: the title on the left, the date of
    // the build on the right, a rule and, when given, the column headings.
    void addPageHeader(const std::string& title, const std::vector<Column>& columns = {});
    // "Page N of M" centred under a rule, the caption on the left.
    void addPageFooter(const std::string& caption = "Quillet Organizer");
    // One row of cells across the columns, at y inside the band.
    void addRow(vl::TvlBandView& band, const std::vector<Column>& columns, int y, int h,
                const TextStyle& style);

private:
    std::string nextName(const std::string& base);

    vl::TvlReport& report_;
    vl::TvlPage& page_;
    int originX_;
    int nextTop_;
    std::map<std::string, int> counters_;
};

} // namespace templates
