#pragma once

#include <QObject>

class QAction;
class QToolBar;

namespace vl {

class TvlDesignerEditing;

// The "Alignment" palette: ten buttons, Align1 to Align10, each running its
// alignment command over the selection. It is always enabled; each command
// checks the selection itself.
class TvlAlignmentPalette : public QObject {
    Q_OBJECT
public:
    explicit TvlAlignmentPalette(TvlDesignerEditing& editing, QObject* parent = nullptr);

    // Adds the buttons in the palette's order: the horizontal commands, a
    // separator, the vertical ones.
    void populate(QToolBar* bar);
    QAction* action(int command) const;

private:
    TvlDesignerEditing& editing_;
    QAction* actions_[10] = {};
};

} // namespace vl
