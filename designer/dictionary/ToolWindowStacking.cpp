#include "designer/dictionary/ToolWindowStacking.h"

#include "designer/inspector/TvlToolWindow.h"

#include <algorithm>

namespace vl {

std::optional<TvlStackedWindows> StackToolWindows(const QRect& fields, const QRect& inspector,
                                                  int top, int bottom, bool inspectorRolledUp) {
    if (fields.right() < inspector.left() || inspector.right() < fields.left()) return std::nullopt;
    const int room = std::max(0, bottom - top);
    // The inspector keeps at least its rolled-up height.
    const int inspectorMinimum =
        inspectorRolledUp ? inspector.height() : TvlToolWindow::kRolledUpHeight;
    const int fieldsHeight = std::clamp(fields.height(), 0, std::max(0, room - inspectorMinimum));
    const int inspectorHeight =
        inspectorRolledUp ? inspector.height() : std::max(0, room - fieldsHeight);
    TvlStackedWindows result{fields, inspector};
    if (fields.top() <= inspector.top()) {
        result.fields.setRect(fields.left(), top, fields.width(), fieldsHeight);
        result.inspector.setRect(inspector.left(), top + fieldsHeight, inspector.width(),
                                 inspectorHeight);
    } else {
        result.fields.setRect(fields.left(), bottom - fieldsHeight, fields.width(), fieldsHeight);
        result.inspector.setRect(inspector.left(), bottom - fieldsHeight - inspectorHeight,
                                 inspector.width(), inspectorHeight);
    }
    return result;
}

} // namespace vl
