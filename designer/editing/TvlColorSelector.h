#pragma once

#include "engine/model/TvlColor.h"

#include <QFrame>
#include <functional>

class QAbstractButton;

namespace vl {

// The drop-down colour palette the three colour buttons share: a grid of
// colours, "Transparent" for no colour and "Other..." for the colour
// dialog. It lives in the designer window, placed under the button that
// opened it.
class TvlColorSelector : public QFrame {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;

    explicit TvlColorSelector(QWidget* window);

    TvlColor color() const { return color_; }
    void setColor(TvlColor color);
    // Picks a colour as a click on the palette does: hides the selector
    // and reports the colour.
    void pick(TvlColor color);
    // The colours of the palette, row by row.
    static const std::vector<TvlColor>& paletteColors();
    // The colour dialog behind "Other...": the colour chosen, or none.
    using OtherColor = std::function<bool(TvlColor& color)>;
    void setOtherColor(OtherColor other) { other_ = std::move(other); }

signals:
    void colorPicked(vl::TvlColor color);

private:
    QAbstractButton* swatch(TvlColor color);
    void chooseOther();

    TvlColor color_ = clBlack;
    OtherColor other_;
};

} // namespace vl
