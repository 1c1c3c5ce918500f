#pragma once

#include "engine/script/StreamIO.h"

#include <QSize>
#include <string>
#include <vector>

namespace vl {

class TvlPage;
class TvlReport;
class TvlView;
struct TvlNewObjectSettings;

// What the insert-fields dialog chose: a data set as listed, its fields in
// list order, and how to lay them out.
struct TvlFieldBlockChoice {
    std::string dataSet;
    StringList fields;
    bool horizontal = true;
    bool headers = false;
    bool bands = false;
};

// Lays a block of data-field text objects (with headers and bands when
// asked) onto a report page from its top-left usable corner. The objects
// are added selected, with unique names; nothing else on the page changes.
class TvlFieldBlockInserter {
public:
    // A header's data object sits this far below it (horizontal layout),
    // and the master data band this far below the page header band.
    static constexpr int kRowOffset = 72;
    // Fields without a display width are laid out this many characters wide.
    static constexpr int kDefaultChars = 6;

    TvlFieldBlockInserter(TvlReport& report, TvlPage& page, int gridSize, QSize memoSize,
                          const TvlNewObjectSettings& font);

    // The objects made, in the order they were added.
    std::vector<TvlView*> Insert(const TvlFieldBlockChoice& choice);

private:
    struct Field {
        std::string reference; // [D."F"]
        std::string caption;
        int chars = kDefaultChars;
    };
    struct Placed {
        TvlView* header = nullptr;
        TvlView* data = nullptr;
    };
    Field describe(const std::string& dataSet, const std::string& listed) const;
    TvlView& addMemo(int x, int y, const std::string& text, bool bold);
    int textWidth(const TvlView& memo, const std::string& text) const;
    int toGrid(double width) const;
    void squeeze(std::vector<Placed>& placed) const;
    void addBands(const TvlFieldBlockChoice& choice, const std::vector<Placed>& placed);
    TvlView& addBand(int type, int top, int height);
    bool hasBand(int type) const;
    std::string dataSourceOf(const std::string& dataSet) const;

    TvlReport& report_;
    TvlPage& page_;
    int grid_;
    QSize memoSize_;
    const TvlNewObjectSettings& font_;
    std::vector<TvlView*> made_;
};

} // namespace vl
