#include "tools/templates/PageLayout.h"

namespace templates {

namespace {

// A4 in tenths of a millimetre.
constexpr int kA4 = 9, kA4Width = 2100, kA4Height = 2970;
// Room above every band for its title tab in the designer.
constexpr int kBandGap = 24;

} // namespace

PageLayout::PageLayout(vl::TvlReport& report, const std::string& reportName)
    : report_(report), page_((report.Clear(), report.Pages().Add())), nextTop_(kBandGap) {
    page_.SetPaper(kA4, kA4Width, kA4Height, -1, vl::poPortrait);
    // No margins of its own: the page is laid out on the printer's printable
    // area and drawn into it again, which leaves about 10 mm all round.
    page_.LeftMargin = page_.TopMargin = page_.RightMargin = page_.BottomMargin = 0;
    originX_ = page_.LeftEdge();
    report_.TwoPass = true;
    report_.Info.Name = reportName;
    report_.Info.Author = "Quillet";
    report_.Info.Comment = "Sample report of the Quillet organizer";
}

PageLayout::PageLayout(vl::TvlReport& report)
    : report_(report), page_(report.Pages().Add()), originX_(0), nextTop_(kBandGap) {
    page_.SetPaper(kA4, kA4Width, kA4Height, -1, vl::poPortrait);
    page_.LeftMargin = page_.TopMargin = page_.RightMargin = page_.BottomMargin = 0;
}

int PageLayout::width() const {
    return page_.RightEdge() - page_.LeftEdge();
}

std::string PageLayout::nextName(const std::string& base) {
    return base + std::to_string(++counters_[base]);
}

vl::TvlBandView& PageLayout::addBand(vl::TvlBandType type, const std::string& name, int height,
                                     const std::string& setting) {
    auto band = std::make_unique<vl::TvlBandView>();
    band->Name = name;
    band->FrameTyp = static_cast<std::uint16_t>(type);
    band->FormatStr = setting;
    band->SetBounds(0, nextTop_, page_.PrinterInfo.PixelPaperWidth, height);
    nextTop_ += height + kBandGap;
    return static_cast<vl::TvlBandView&>(page_.AddObject(std::move(band)));
}

vl::TvlMemoView& PageLayout::addText(vl::TvlBandView& band, int x, int y, int w, int h,
                                     const std::vector<std::string>& lines,
                                     const TextStyle& style) {
    auto memo = std::make_unique<vl::TvlMemoView>();
    memo->Name = nextName("Memo");
    memo->SetBounds(originX_ + x, band.Top + y, w, h);
    memo->Memo = lines;
    memo->Font.size = style.size;
    memo->Font.style = style.fontStyle;
    memo->Font.color = style.color;
    memo->Alignment = style.align;
    memo->FillColor = style.fill;
    memo->FrameTyp = style.frame;
    memo->FrameColor = style.frame == vl::vlftNone ? vl::clBlack : kGrey;
    memo->Flags = vl::TvlMemoView::mfWordWrap | (style.stretched ? vl::flStretched : 0);
    memo->GapX = 3;
    return static_cast<vl::TvlMemoView&>(page_.AddObject(std::move(memo)));
}

vl::TvlLineView& PageLayout::addRule(vl::TvlBandView& band, int x, int y, int w, float penWidth) {
    auto line = std::make_unique<vl::TvlLineView>();
    line->Name = nextName("Line");
    line->SetBounds(originX_ + x, band.Top + y, w, 0);
    line->FrameTyp = vl::vlftTop;
    line->FrameWidth = penWidth;
    line->FrameColor = penWidth > 1 ? kAccent : kGrey;
    return static_cast<vl::TvlLineView&>(page_.AddObject(std::move(line)));
}

vl::TvlBandView& PageLayout::addCrossBand(vl::TvlBandType type, const std::string& name, int x,
                                          int w, const std::string& setting) {
    auto band = std::make_unique<vl::TvlBandView>();
    band->Name = name;
    band->FrameTyp = static_cast<std::uint16_t>(type);
    band->FormatStr = setting;
    band->SetBounds(originX_ + x, 0, w, page_.PrinterInfo.PixelPaperHeight);
    return static_cast<vl::TvlBandView&>(page_.AddObject(std::move(band)));
}

vl::TvlSubReportView& PageLayout::addSubReport(vl::TvlBandView& band, int x, int y, int w, int h,
                                               int pageIndex) {
    auto sub = std::make_unique<vl::TvlSubReportView>();
    sub->Name = nextName("SubReport");
    sub->SetBounds(originX_ + x, band.Top + y, w, h);
    sub->SubPage = pageIndex;
    return static_cast<vl::TvlSubReportView&>(page_.AddObject(std::move(sub)));
}

vl::TvlPictureView& PageLayout::addPicture(vl::TvlBandView& band, int x, int y, int w, int h,
                                           const std::string& name) {
    auto picture = std::make_unique<vl::TvlPictureView>();
    picture->Name = name;
    picture->SetBounds(originX_ + x, band.Top + y, w, h);
    picture->Flags = vl::TvlPictureView::pfStretched | vl::TvlPictureView::pfKeepAspect |
                     vl::TvlPictureView::pfCenter;
    picture->FrameTyp = vl::vlftLeft | vl::vlftTop | vl::vlftRight | vl::vlftBottom;
    picture->FrameColor = vl::clSilver;
    return static_cast<vl::TvlPictureView&>(page_.AddObject(std::move(picture)));
}

void PageLayout::addPageHeader(const std::string& title, const std::vector<Column>& columns) {
    const int headingTop = 40, headingHeight = 20;
    vl::TvlBandView& band = addBand(vl::btPageHeader, "PageHeader", columns.empty() ? 42 : 66);
    addText(band, 0, 0, width() - 200, 28, {title},
            {.size = 16, .fontStyle = kBold, .color = kAccent});
    addText(band, width() - 200, 10, 200, 18, {"[Date #Dmmmm d, yyyy]"},
            {.align = vl::TvlMemoView::vltaRight, .color = kGrey});
    addRule(band, 0, 32, width(), 2);
    if (columns.empty()) return;
    std::vector<Column> headings = columns;
    for (Column& c : headings) {
        c.text = c.caption;
        c.highlight.clear();
    }
    addRow(band, headings, headingTop, headingHeight,
           {.fontStyle = kBold, .fill = kHeadingFill, .frame = vl::vlftTop | vl::vlftBottom});
}

void PageLayout::addPageFooter(const std::string& caption) {
    vl::TvlBandView& band = addBand(vl::btPageFooter, "PageFooter", 26);
    addRule(band, 0, 2, width());
    const TextStyle small{.size = 8, .color = kGrey};
    addText(band, 0, 6, 200, 16, {caption}, small);
    TextStyle centred = small;
    centred.align = vl::TvlMemoView::vltaCenter;
    addText(band, width() / 2 - 100, 6, 200, 16, {"Page [Page#] of [TotalPages]"}, centred);
    TextStyle right = small;
    right.align = vl::TvlMemoView::vltaRight;
    addText(band, width() - 200, 6, 200, 16, {report_.Info.Name}, right);
}

void PageLayout::addRow(vl::TvlBandView& band, const std::vector<Column>& columns, int y, int h,
                        const TextStyle& style) {
    int x = 0;
    for (const Column& c : columns) {
        TextStyle cell = style;
        cell.align = c.align;
        vl::TvlMemoView& memo = addText(band, x, y, c.width, h, {c.text}, cell);
        if (!c.highlight.empty()) {
            memo.HighlightCondition = c.highlight;
            memo.HighlightStyle = static_cast<std::uint16_t>(kBold);
            memo.HighlightFontColor = kAlert;
            memo.HighlightFillColor = vl::clWhite;
        }
        x += c.width;
    }
}

} // namespace templates
