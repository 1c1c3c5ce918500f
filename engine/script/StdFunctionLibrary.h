#pragma once

#include "engine/script/FunctionLibrary.h"

#include <vector>

namespace vl {

// The standard functions of expressions: the aggregates, date parts,
// formatting, text functions, INPUT and MESSAGEBOX.
class TvlStdFunctionLibrary : public TvlFunctionLibrary {
public:
    static constexpr const char* kClassName = "TvlStdFunctionLibrary";

    TvlStdFunctionLibrary();
    std::string ClassName() const override { return kClassName; }
    void CallByNumber(int index, const Variant& p1, const Variant& p2, const Variant& p3,
                      Variant& val) override;

private:
    // Function number i of Names is row functions_[i] of the library's table.
    std::vector<std::size_t> functions_;
};

} // namespace vl
