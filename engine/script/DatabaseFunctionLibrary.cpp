#include "engine/script/DatabaseFunctionLibrary.h"

#include "engine/script/FieldAccess.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlParser.h"

namespace vl {

namespace {
constexpr int kDatabaseCategory = 55620;
constexpr int kFieldIsNullText = 55621;
} // namespace

TDatabaseFunctionLibrary::TDatabaseFunctionLibrary() {
    names_ = {"FIELDISNULL"};
    AddDescription("FIELDISNULL", LoadResString(kDatabaseCategory),
                   LoadResString(kFieldIsNullText));
}

void TDatabaseFunctionLibrary::CallByNumber(int index, const Variant& p1, const Variant&,
                                            const Variant&, Variant& val) {
    if (index != 0) {
        val = Variant(0);
        return;
    }
    TvlScriptContext& engine = scriptEngine();
    const std::string reference = engine.globalParser().Evaluate(p1.toString()).toString();
    const FieldLookupContext context = Context ? Context() : FieldLookupContext{};
    val = Variant(
        IsFieldNull(engine.components(), context.reportOwner, context.defaultDataSet, reference));
}

} // namespace vl
