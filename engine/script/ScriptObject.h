#pragma once

#include "engine/script/Variant.h"

#include <string_view>

namespace vl {

// What scripts reach of a report object, a page or the report by name:
// properties and methods (upper-case method names, three arguments).
class TvlScriptObject {
public:
    virtual ~TvlScriptObject() = default;

    // Names are compared without regard to case; unknown names are ignored.
    virtual void SetProperty(std::string_view name, const Variant& value) = 0;
    virtual Variant GetProperty(std::string_view name) = 0;
    virtual Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                               const Variant& p3) = 0;
    // Whether the object has the property; a nested property (Font.Bold)
    // counts when its first part does.
    virtual bool HasProperty(std::string_view property) = 0;
};

} // namespace vl
