#pragma once

#include "engine/script/Variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vl {

class TvlTable;

enum class TFieldType {
    ftUnknown,
    ftString,
    ftWideString,
    ftBoolean,
    ftInteger,
    ftLargeInt, // 64-bit integers: read as their display text
    ftFloat,
    ftDateTime,
    ftMemo,
    ftBlob
};

// One column of a table, read at the table's current record.
class TvlField {
public:
    using GetTextHandler = std::function<std::string(const TvlField& field)>;

    TvlField(TvlTable& table, int index, std::string name, TFieldType type)
        : table_(&table), index_(index), name_(std::move(name)), type_(type) {}

    TvlTable& table() const { return *table_; }
    int index() const { return index_; }
    const std::string& name() const { return name_; }
    TFieldType type() const { return type_; }
    bool isBlob() const { return type_ == TFieldType::ftBlob || type_ == TFieldType::ftMemo; }

    // The current record's value; Null when the record holds none.
    Variant value() const;
    bool isNull() const;
    // The value as shown: the handler's text when one is set.
    std::string displayText() const;
    // The raw bytes of a blob or memo field.
    std::vector<std::uint8_t> blobBytes() const;

    // A host-supplied display text, as a data layer's OnGetText.
    GetTextHandler OnGetText;
    // How the designer lays the field out: its width in characters (0 for
    // the designer's default) and its caption (empty: the name).
    int DisplayWidth = 0;
    std::string DisplayLabel;

private:
    TvlTable* table_;
    int index_;
    std::string name_;
    TFieldType type_;
};

} // namespace vl
