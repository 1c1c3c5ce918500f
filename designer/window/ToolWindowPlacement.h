#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

class QScrollArea;
class QWidget;

namespace vl {

class TvlToolWindow;

// Where the designer's two tool windows (the database fields window and the
// inspector) stand and when they appear.
//
// They appear only once the designer is on the screen: a window system
// places and stacks a tool window mapped before its owner as a window of
// its own, under the designer. Without a stored place they stand at the
// right of the workspace, the fields window at the top and the inspector
// under it, and follow the workspace while the designer settles (a window
// manager maximizes and frames it after it appeared) until the user moves
// them. When the fields window moves or changes size beside a shown
// inspector, the two are stacked within the workspace's height.
class TvlToolWindowPlacement : public QObject {
public:
    TvlToolWindowPlacement(QWidget& designer, QScrollArea& workspace);
    ~TvlToolWindowPlacement() override;

    void setFieldsWindow(TvlToolWindow* fields, bool besideThePage);
    void setInspector(TvlToolWindow* inspector, bool besideThePage);
    // Shows the window now when the designer is on the screen, else as soon
    // as it is.
    void show(TvlToolWindow& window);
    void hide(TvlToolWindow& window);
    // Shown, or to be shown once the designer is on the screen.
    bool showing(const TvlToolWindow& window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Managed {
        QPointer<TvlToolWindow> window;
        bool pending = false;
        // standing beside the page at target until the user moves it
        bool following = false;
        QPoint target;
        QElapsedTimer sincePlaced;
        int attempts = 0;
    };

    Managed* managed(const QObject* window);
    void manage(Managed& slot, TvlToolWindow* window, bool besideThePage);
    bool designerOnScreen() const;
    bool watchedToolWindow(const QObject* watched) const;
    void showNow(Managed& slot);
    void designerAppeared();
    void placeFollowers();
    void placeAt(Managed& slot, const QRect& frame);
    void windowMoved(Managed& slot);
    void stack();
    QRect workspaceArea() const;

    QWidget& designer_;
    QScrollArea& workspace_;
    Managed fields_;
    Managed inspector_;
    QTimer stackTimer_;
    bool placing_ = false;
};

} // namespace vl
