#pragma once

#include <QRect>
#include <QRegion>

namespace vl {

class TvlView;

// The insert tools of the "Objects" toolbar, by their tags; add-in classes
// use 10 + their registry index.
enum TvlDesignerTool : int {
    dtSelect = -1,
    dtText = 0,
    dtPicture = 1,
    dtBand = 2,
    dtSubReport = 3,
    dtLine = 4,
    dtAddInBase = 10,
};

// Bits of the selection state that every command's enabling follows.
enum TvlSelectionBits : int {
    ssBand = 1,       // exactly one object, a band view
    ssText = 2,       // exactly one object, a text object
    ssOther = 4,      // exactly one object of another kind
    ssSeveral = 8,    // two or more objects
    ssClipboard = 16, // the designer's clipboard holds objects
};

// What the page surface and the designer window share about the selection:
// its count and single object (which objects are selected is the session's
// TvlObjectSelection), the rubber band and the tool. The rectangles a proportional
// resize scales from are kept by the surface itself: TvlView::SavedLeft and
// its kin are overwritten by every drawing of the object.
struct TvlDesignerSelection {
    int count = 0;             // objects selected
    TvlView* object = nullptr; // the object when exactly one is selected
    QRect rubber;              // rubber band, insert outline or line
    QRect previousRubber;
    QRect box; // union of the selection, valid with 2+
    bool boxValid = false;
    bool firstMove = false; // cleared by the first snapshot of a drag
    bool keepTool = false;  // the insert tool stays after an insert
    QRegion oldRegion;      // the selection's area before a change
    int tool = dtSelect;    // the chosen tool of the "Objects" bar
};

} // namespace vl
