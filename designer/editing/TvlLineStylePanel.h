#pragma once

#include <QFrame>

class QToolButton;

namespace vl {

// The drop-down of the "Line style" button: six buttons, solid to double,
// with the tags 25 to 30 of the formatting controls.
class TvlLineStylePanel : public QFrame {
    Q_OBJECT
public:
    explicit TvlLineStylePanel(QWidget* window);
    QToolButton* button(int style) const;

signals:
    // A style button was clicked (its tag); the panel is hidden already.
    void styleClicked(int tag);
};

} // namespace vl
