#pragma once

#include "engine/script/FunctionLibrary.h"

#include <functional>

namespace vl {

class TvlComponent;

// Where FIELDISNULL resolves field references: the component that owns the
// report being built and the default data set of the band context (when the
// report uses default data set names).
struct FieldLookupContext {
    const TvlComponent* reportOwner = nullptr;
    TvlComponent* defaultDataSet = nullptr;
};

// FIELDISNULL(name): whether a data field is null.
class TDatabaseFunctionLibrary : public TvlFunctionLibrary {
public:
    static constexpr const char* kClassName = "TDatabaseFunctionLibrary";

    TDatabaseFunctionLibrary();
    std::string ClassName() const override { return kClassName; }
    void CallByNumber(int index, const Variant& p1, const Variant& p2, const Variant& p3,
                      Variant& val) override;

    // Set by the report build; without it references resolve with no owner
    // and no default data set.
    std::function<FieldLookupContext()> Context;
};

} // namespace vl
