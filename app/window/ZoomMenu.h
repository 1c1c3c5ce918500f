#pragma once

#include <QMenu>
#include <QString>

namespace vl {
class TvlPreview;
}

namespace quillet {

// The zoom menu of the main window's zoom button. Each entry carries a tag
// that chooses what it does: 11, 12 and 13 fit the page width, the whole
// page or two pages; 1 to 7 set 200, 150, 100, 75, 50, 25 or 10 %.
class ZoomMenu : public QMenu {
public:
    static constexpr int kPageWidth = 11;
    static constexpr int kWholePage = 12;
    static constexpr int kTwoPages = 13;

    explicit ZoomMenu(QWidget* parent = nullptr);

    // The entry with that tag; null when there is none.
    QAction* entry(int tag) const;
    // Applies the tag's zoom to the pane and returns the caption the zoom
    // button shows afterwards; an unknown tag changes nothing and gives an
    // empty caption.
    static QString apply(int tag, vl::TvlPreview& pane);
    // The caption of a percentage zoom: its integer part and "%".
    static QString percentCaption(double percent);
};

} // namespace quillet
