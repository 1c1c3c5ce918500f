#include "engine/script/TvlField.h"

#include "engine/script/TvlTable.h"

namespace vl {

Variant TvlField::value() const {
    table_->requireActive();
    return table_->doHasRecord() ? table_->fieldValue(index_) : Variant();
}

bool TvlField::isNull() const {
    table_->requireActive();
    return !table_->doHasRecord() || table_->fieldIsNull(index_);
}

std::string TvlField::displayText() const {
    if (OnGetText) return OnGetText(*this);
    return isNull() ? std::string() : value().toString();
}

std::vector<std::uint8_t> TvlField::blobBytes() const {
    table_->requireActive();
    if (!table_->doHasRecord()) return {};
    return table_->fieldBytes(index_);
}

} // namespace vl
