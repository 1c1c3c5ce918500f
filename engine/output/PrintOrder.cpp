#include "engine/output/PrintOrder.h"

#include "engine/script/Variant.h"

#include <algorithm>

namespace vl {

TvlPageList::TvlPageList(std::string_view text, int pageCount) : pageCount_(pageCount) {
    std::string list;
    for (char c : text)
        if (c != ' ') list += c;
    if (list.empty()) return;
    all_ = false;
    if (list.back() == '-') list += std::to_string(pageCount);
    list += ',';
    std::size_t numberStart = 0;
    std::string_view rangeStart;
    bool inRange = false;
    const std::string_view view(list);
    for (std::size_t i = 0; i < view.size(); ++i) {
        if (view[i] == '-') {
            rangeStart = view.substr(numberStart, i - numberStart);
            inRange = true;
            numberStart = i + 1;
        } else if (view[i] == ',') {
            addEntry(view.substr(numberStart, i - numberStart), rangeStart, inRange);
            inRange = false;
            numberStart = i + 1;
        }
    }
}

void TvlPageList::addEntry(std::string_view number, std::string_view rangeStart, bool inRange) {
    const int last = StrToInt(number);
    const int first = inRange ? StrToInt(rangeStart) : last;
    // Numbers outside the report never match a page.
    const int from = std::max(first, 1);
    const int to = std::min(last, pageCount_);
    for (int page = from; page <= to; ++page)
        pages_.insert(page);
}

TvlPrintOrder::TvlPrintOrder(const TvlPrintRequest& request, int pageCount)
    : pages_(request.PageList, pageCount), pageCount_(pageCount),
      copies_(std::max(request.Copies, 1)), collate_(request.Collate), parity_(request.Parity) {}

bool TvlPrintOrder::Selected(int pageNo) const {
    if (!pages_.Contains(pageNo)) return false;
    if (parity_ == ppOddPages) return pageNo % 2 == 1;
    if (parity_ == ppEvenPages) return pageNo % 2 == 0;
    return true;
}

std::vector<int> TvlPrintOrder::Sequence(bool printerMakesCopies) const {
    const int passes = collate_ ? copies_ : 1;
    const int repeats = collate_ || printerMakesCopies ? 1 : copies_;
    std::vector<int> order;
    for (int pass = 0; pass < passes; ++pass)
        for (int i = 0; i < pageCount_; ++i)
            if (Selected(i + 1)) order.insert(order.end(), static_cast<std::size_t>(repeats), i);
    return order;
}

} // namespace vl
