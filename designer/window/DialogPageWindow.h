#pragma once

#include <QWidget>
#include <functional>

namespace vl {

class TvlPage;

// The window that holds the designer's surface while the current page is
// a dialog page: captioned and coloured as the page's form, its position
// and size written back into the page. The user cannot close it; the
// clipboard keys of dialogs are mapped onto the designer's own.
class TvlDialogPageWindow : public QWidget {
    Q_OBJECT
public:
    TvlDialogPageWindow(TvlPage& page, QWidget* designer);
    void placeSurface(QWidget* surface);
    // Ctrl+C, Ctrl+X and Ctrl+V become Ctrl+Insert, Shift+Delete and
    // Shift+Insert; Ctrl+A is reported as it is.
    static bool MapKey(int& key, Qt::KeyboardModifiers& modifiers);

    // Called after the window moved or changed size (the page changed).
    std::function<void()> onGeometryStored;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void storeGeometry();

    TvlPage& page_;
    QWidget* surface_ = nullptr;
    bool placing_ = true;
};

} // namespace vl
