#include "engine/script/TvlTable.h"

#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <algorithm>

namespace vl {

TvlTable::~TvlTable() = default;

void TvlTable::requireActive() const {
    if (!active_) throw VlError(name() + ": Cannot perform this operation on a closed dataset");
}

// Fields outlive a close, with their display handlers, as long as the table
// keeps its columns.
bool TvlTable::sameFields(const std::vector<FieldDef>& defs) const {
    if (defs.size() != fields_.size()) return false;
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (defs[i].name != fields_[i]->name() || defs[i].type != fields_[i]->type()) return false;
    return true;
}

void TvlTable::Open() {
    if (active_) return;
    std::vector<FieldDef> defs = doOpen();
    if (!sameFields(defs)) {
        fields_.clear();
        for (std::size_t i = 0; i < defs.size(); ++i)
            fields_.push_back(std::make_unique<TvlField>(*this, static_cast<int>(i),
                                                         std::move(defs[i].name), defs[i].type));
    }
    active_ = true;
    const bool onRecord = doFirst();
    eof_ = bof_ = !onRecord;
}

void TvlTable::Close() {
    if (!active_) return;
    active_ = false;
    eof_ = bof_ = true;
    doClose();
}

void TvlTable::First() {
    requireActive();
    const bool onRecord = doFirst();
    bof_ = true;
    eof_ = !onRecord;
}

// At the last record Next sets Eof and stays on that record, as Prior at
// the first record sets Bof and stays there.
void TvlTable::Next() {
    requireActive();
    bof_ = false;
    if (!doNext()) eof_ = true;
}

void TvlTable::Prior() {
    requireActive();
    eof_ = false;
    if (!doPrior()) bof_ = true;
}

TBookmark TvlTable::GetBookmark() const {
    requireActive();
    return TBookmark{doHasRecord() ? doPosition() : -1};
}

void TvlTable::GotoBookmark(const TBookmark& bookmark) {
    requireActive();
    if (bookmark.position < 0 || !doSeek(bookmark.position))
        throw VlError(name() + ": Record not found");
    eof_ = bof_ = false;
}

TvlField* TvlTable::FindField(std::string_view name) const {
    const auto it = std::find_if(fields_.begin(), fields_.end(),
                                 [&](const auto& f) { return SameText(f->name(), name); });
    return it == fields_.end() ? nullptr : it->get();
}

TvlField& TvlTable::FieldByName(std::string_view name) const {
    if (TvlField* field = FindField(name)) return *field;
    throw VlError(this->name() + ": Field '" + std::string(name) + "' not found");
}

StringList TvlTable::GetFieldNames() const {
    if (!active_) return doFieldNames();
    StringList names;
    for (const auto& f : fields_)
        names.push_back(f->name());
    return names;
}

bool TvlTable::hasField(std::string_view name) const {
    if (active_) return FindField(name) != nullptr;
    const StringList names = doFieldNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return SameText(n, name); });
}

std::unique_ptr<MemoryStream> TvlTable::CreateBlobStream(const TvlField& field) const {
    return std::make_unique<MemoryStream>(field.blobBytes());
}

} // namespace vl
