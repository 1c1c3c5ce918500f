#pragma once

#include "engine/script/FormSettings.h"

#include <QWidget>
#include <functional>
#include <memory>

class QToolButton;

namespace vl {

// A tool window of the designer: it floats above the designer window, keeps
// its position in the settings of its class and rolls up to its caption on a
// double click there (a second double click, or RollDown, brings its height
// at creation back). A small button at its top right corner rolls it up and
// down too, for window systems that keep caption clicks to themselves.
class TvlToolWindow : public QWidget {
public:
    // A window no higher than this counts as rolled up.
    static constexpr int kRolledUpHeight = 30;

    TvlToolWindow(const QString& className, QWidget* parent);

    const QString& className() const { return className_; }
    // Called after a roll-up or roll-down.
    void setHeightChangedHandler(std::function<void()> handler);
    bool isRolledUp() const { return height() <= kRolledUpHeight; }
    // Rolls a rolled-up window down, any other up.
    void ToggleRollUp();
    void RollDown();
    int defaultHeight() const { return defaultHeight_; }
    // Whether the settings held a place for the window when it was made.
    bool hasStoredGeometry() const { return storedGeometry_; }
    QToolButton* rollButton() const { return rollButton_; }

protected:
    // The height that rolling down restores: the window's height now, or
    // fallback when that is a rolled-up height. Call once the window has its
    // size at creation.
    void rememberDefaultHeight(int fallback);
    void restoreWindowGeometry(QSettings& settings);
    void saveWindowGeometry(QSettings& settings) const;
    // Shows or hides what a rolled-up window hides.
    virtual void showContents(bool shown) = 0;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rollTo(bool rolledUp);
    void placeRollButton();

    QString className_;
    int defaultHeight_ = 300;
    bool storedGeometry_ = false;
    QToolButton* rollButton_ = nullptr;
    std::function<void()> heightChanged_;
};

} // namespace vl
