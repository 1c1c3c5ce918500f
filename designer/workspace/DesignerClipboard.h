#pragma once

#include <QByteArray>
#include <QPoint>
#include <optional>
#include <vector>

namespace vl {

class TvlPage;
class TvlView;
class TvlObjectSelection;

// The designer's own clipboard: one record per copied object (type code,
// class name, template record), shared by every designer of the process.
class DesignerClipboard {
public:
    explicit DesignerClipboard(std::vector<QByteArray>& records) : records_(records) {}

    // Replaces the contents by the selected objects of the page, in page
    // order.
    void copy(const TvlPage& page, const TvlObjectSelection& selection);

    // Appends the clipboard's objects to the page: moved so that
    // the smallest Left and Top land on shift (their top on bandTop when
    // a band was selected), keeping their places to one another. Objects whose name the report
    // already uses get a new one; a second object of a one-per-page class and a second band of a
    // type a page has once are left out, as are records that cannot be read. Returns the objects
    // added.
    std::vector<TvlView*> paste(TvlPage& page, QPoint shift, std::optional<int> bandTop) const;

private:
    std::vector<QByteArray>& records_;
};

} // namespace vl
