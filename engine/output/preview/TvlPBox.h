#pragma once

#include <QPoint>
#include <QWidget>

namespace vl {

class TvlPreviewForm;

// The preview's drawing surface: grey, with the pages in view drawn on it
// as white sheets at the preview's scale. It paints everything itself and
// turns the mouse into the window's page clicks, links, dragging and
// wheel scrolling.
class TvlPBox : public QWidget {
public:
    TvlPBox(TvlPreviewForm& form, QWidget* parent);

    bool Dragging = false;
    QPoint LastPos;
    // The 1-based page under the last left click.
    int ClickedPage = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void leftDown(QPoint pos);
    void hover(QPoint pos);

    TvlPreviewForm& form_;
};

} // namespace vl
