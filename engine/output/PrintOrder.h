#pragma once

#include <set>
#include <string>
#include <vector>

namespace vl {

// Which pages a print run prints: odd or even page numbers only, or all.
enum TvlPrintParity : int { ppAllPages = 0, ppOddPages = 1, ppEvenPages = 2 };

// What the user asked to print: a page list as typed ("1,3,5-12"; empty for
// every page), the number of copies, whether copies are collated, and the
// parity of the page numbers.
struct TvlPrintRequest {
    std::string PageList;
    int Copies = 1;
    bool Collate = true;
    int Parity = ppAllPages;
};

// A page list as typed in the print dialog. Spaces are ignored; entries are
// page numbers or ranges "a-b" separated by commas; an open range "a-" runs
// to the last page; a range whose start is larger than its end holds no
// page. An entry that is not a whole number raises ConversionError.
class TvlPageList {
public:
    TvlPageList() = default;
    TvlPageList(std::string_view text, int pageCount);

    // True when the text named no page at all: every page is printed.
    bool AllPages() const { return all_; }
    // Page numbers count from 1.
    bool Contains(int pageNo) const { return all_ || pages_.count(pageNo) != 0; }

private:
    void addEntry(std::string_view number, std::string_view rangeStart, bool inRange);

    bool all_ = true;
    int pageCount_ = 0;
    // Only pages that exist are kept, so that a huge range costs nothing.
    std::set<int> pages_;
};

// The order in which a print run sends pages to the printer, and the copies
// it asks the printer itself to make.
class TvlPrintOrder {
public:
    // Raises ConversionError for a page list entry that is not a number.
    TvlPrintOrder(const TvlPrintRequest& request, int pageCount);

    // At least one copy, whatever was asked.
    int Copies() const { return copies_; }
    // Uncollated copies are the printer's job; collated ones are printed
    // pass by pass.
    int PrinterCopies() const { return collate_ ? 1 : copies_; }
    bool Selected(int pageNo) const;
    // The page indexes (from 0) in printing order. When the printer cannot
    // make copies of its own, uncollated copies repeat each page in place.
    std::vector<int> Sequence(bool printerMakesCopies) const;

private:
    TvlPageList pages_;
    int pageCount_;
    int copies_;
    bool collate_;
    int parity_;
};

} // namespace vl
