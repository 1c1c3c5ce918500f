#include "engine/script/FieldAccess.h"

#include "engine/script/DataFieldRef.h"
#include "engine/script/Errors.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlTable.h"

namespace vl {

namespace {

Variant nullValueOf(TFieldType type) {
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftWideString:
        return Variant(std::string());
    case TFieldType::ftBoolean:
        return Variant(false);
    default:
        return Variant(0);
    }
}

std::string lastPart(std::string_view reference) {
    const DataFieldParts split = SplitDataFieldReference(reference);
    return split.parts.empty() ? std::string() : RemoveQuotes(split.parts.back());
}

} // namespace

Variant GetFieldValue(TvlField& field) {
    if (!field.table().Active()) field.table().Open();
    Variant value;
    if (field.OnGetText || field.type() == TFieldType::ftLargeInt)
        value = Variant(field.displayText());
    else
        value = field.value();
    return value.isNull() ? nullValueOf(field.type()) : value;
}

bool IsFieldNull(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                 TvlComponent* defaultTable, std::string_view reference) {
    TvlComponent* dataSet = defaultTable;
    std::string fieldName;
    GetDataSetAndField(directory, reportOwner, reference, dataSet, fieldName);
    if (!dataSet) return true;
    auto* table = dynamic_cast<TvlTable*>(dataSet);
    if (!table) throw InvalidTypeCastError();
    if (!table->Active()) table->Open();
    // A field the table lacks resolves to an empty name; the table is asked
    // for the name as written, so that it reports which field is missing.
    if (fieldName.empty()) fieldName = lastPart(reference);
    return table->FieldByName(fieldName).isNull();
}

} // namespace vl
