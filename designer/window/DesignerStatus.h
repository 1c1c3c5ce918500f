#pragma once

#include <QLabel>
#include <QRect>
#include <QStatusBar>
#include <QString>
#include <QWidget>

namespace vl {

class TvlView;

// A pair of coordinates as the position box writes it: pixels joined by
// ";", millimetres and inches converted, with two decimals and at most
// four significant digits, joined by "; ".
QString PositionPair(int a, int b, int units);
// The unit name of the first panel.
QString UnitName(int units);
// The third panel: the single selected object's name with its band title
// or first text line.
QString SelectionStatusText(TvlView* single);

// What the position box shows.
struct TvlPositionInfo {
    bool showSize = false;
    QString position, size, scale; // at x 20, 110 and 170
};

// The drawing area over the second panel of the status line: position and
// size icons and texts.
class TvlPositionBox : public QWidget {
    Q_OBJECT
public:
    explicit TvlPositionBox(QWidget* parent);
    void setInfo(const TvlPositionInfo& info);
    const TvlPositionInfo& info() const { return info_; }
    QSize sizeHint() const override { return {226, 15}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TvlPositionInfo info_;
};

// The designer's status line: the units panel (a double click on it cycles
// the units), the position box and the selection's text.
class TvlDesignerStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TvlDesignerStatusBar(QWidget* parent);
    void setUnits(int units);
    void setSelectionText(const QString& text);
    QString unitsText() const { return units_->text(); }
    QString selectionText() const { return text_->text(); }
    TvlPositionBox& positionBox() { return *box_; }

signals:
    void unitsCycled();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* units_;
    TvlPositionBox* box_;
    QLabel* text_;
};

} // namespace vl
