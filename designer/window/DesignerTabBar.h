#pragma once

#include <QPoint>
#include <QTabBar>

namespace vl {

// The page tabs of the designer. Dragging the current tab onto another
// asks for the page to move there; a right press asks for the tab
// context menu.
class TvlDesignerTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TvlDesignerTabBar(QWidget* parent);

signals:
    void pageDropped(int from, int to);
    void contextMenuWanted(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool armed_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
};

} // namespace vl
