#pragma once

#include "engine/script/StreamIO.h"

#include <string>

namespace vl {

// What the object inspector needs of the designer window that fills it.
class TvlInspectorHost {
public:
    virtual ~TvlInspectorHost() = default;
    // The user applied a new value to the row; the inspector's GetRowValue
    // gives it. The designer usually refills the rows from here.
    virtual void PropertyChanged(int row) = 0;
    // The names the object box offers, in any order.
    virtual void FillObjectList(StringList& target) = 0;
    // The user chose a name in the object box.
    virtual void SelectByName(const std::string& name) = 0;
    // Applying a value or opening an editor raised this error.
    virtual void ShowError(const std::string& message) = 0;
};

} // namespace vl
