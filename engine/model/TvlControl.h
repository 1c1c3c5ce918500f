#pragma once

#include "engine/model/TvlView.h"

#include <QSize>

namespace vl {

// The dialog control that a TvlControl wraps; the dialog layer implements it
// over its own widgets.
class TvlWrappedControl {
public:
    virtual ~TvlWrappedControl() = default;
    virtual void setVisible(bool visible) = 0;
    // Places the control on its dialog form.
    virtual void setBounds(int left, int top, int width, int height) = 0;
    // Paints the control at the origin of painter, size pixels large.
    virtual void paint(QPainter& painter, QSize size) = 0;
    // Whether the dialog form already has a component of that name.
    virtual bool formHasComponent(std::string_view name) const = 0;
};

// A dialog control placed on a dialog page as a report object.
class TvlControl : public TvlView {
public:
    TvlControl();
    std::string className() const override { return "TvlControl"; }

    void SetProperty(std::string_view name, const Variant& value) override;
    void RegisterProperties() override;
    void Draw(const TvlDrawContext& context) override;
    // Paints the wrapped control into the canvas at (Left, Top).
    virtual void PaintControlImage();

    // The control this object wraps (not owned); none draws nothing.
    TvlWrappedControl* Control = nullptr;
};

} // namespace vl
