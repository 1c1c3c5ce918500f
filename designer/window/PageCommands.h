#pragma once

#include <string>

namespace vl {

class TvlPage;
class TvlReport;
class TvlObjectSelection;

// The selection and page commands of the designer window that act on the
// template alone; the window adds the repainting and notifications.

// Bits of TvlSelectionBits for the objects selected on the page and
// whether the designer's clipboard holds objects.
int SelectionState(const TvlPage* page, const TvlObjectSelection& selection, bool clipboardFilled);

// Removes the selected objects, last first, except those marked not to be
// deleted, and unselects them; a removed child band leaves no band
// pointing at it. Returns the number of objects removed.
int DeleteSelectedObjects(TvlPage& page, TvlObjectSelection& selection);

// Moves every selected, movable object to the end (front) or the
// beginning (back) of the page's list, keeping their relative order.
void BringSelectionToFront(TvlPage& page, const TvlObjectSelection& selection);
void SendSelectionToBack(TvlPage& page, const TvlObjectSelection& selection);

// Selects every object of the page; returns their number.
int SelectAllObjects(TvlPage& page, TvlObjectSelection& selection);

// Every sub-report object of the report that shows page from shows page
// to afterwards.
void RenumberSubReports(TvlReport& report, int from, int to);
// Moves page from to index to, and the sub-report objects keep showing the
// pages they showed.
void MoveReportPage(TvlReport& report, int from, int to);

// The tab title of page i: the name of the sub-report object that shows
// it, else "Page" and its number.
// Whether a sub-report object of the template shows page i: such a page
// takes no page-level bands (title, page header and the like).
bool ShownBySubReport(const TvlReport& report, int i);
std::string PageTitle(const TvlReport& report, int i);

} // namespace vl
