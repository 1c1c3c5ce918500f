#pragma once

#include <QRect>
#include <QString>
#include <vector>

namespace vl {

class TvlEMFPages;

// A text drawn on a page, with its bounds in page pixels.
struct DrawnText {
    QString text;
    QRect bounds;
};

// Every text page i draws, in drawing order, captured through a recording
// paint device with the page at 100 % (placed as the preview places it).
std::vector<DrawnText> RecordPageTexts(TvlEMFPages& pages, int i);

// Where a search goes on: the text, the page (0-based) where the next
// search starts and the texts of that page already passed over.
struct PreviewSearch {
    QString Text;
    bool CaseSensitive = false;
    int Page = 0;
    int Hit = 0;
    bool Found = false;
    // The bounds of the text found last, in page pixels.
    QRect HitRect;

    bool Active() const { return !Text.isEmpty(); }
    // Continues from the current page: unless this page is where the last
    // search stopped, it starts on the page anew.
    void ContinueOn(int currentPage) {
        if (currentPage != Page + 1) {
            Page = currentPage - 1;
            Hit = 0;
        }
    }
    // Searches from Page/Hit on; on success Page is the page of the hit
    // and Hit counts the texts up to and including it, so the next search
    // goes on after it.
    bool FindNext(TvlEMFPages& pages);
};

} // namespace vl
