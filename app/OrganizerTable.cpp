#include "app/OrganizerTable.h"

namespace quillet {

OrganizerTable::OrganizerTable(std::string name, vl::TvlComponent* owner,
                               const OrganizerBinding& binding, DataKind kind)
    : vl::TvlTable(std::move(name), owner), binding_(binding), kind_(kind) {}

std::vector<vl::TvlTable::FieldDef> OrganizerTable::doOpen() {
    std::vector<FieldDef> defs;
    for (const OrganizerField& f : OrganizerBinding::Fields(kind_))
        defs.push_back({f.name, f.type});
    return defs;
}

// The data source decides the record; a bookmark is only good for it.
bool OrganizerTable::doSeek(std::int64_t position) {
    return doHasRecord() && position == doPosition();
}

std::int64_t OrganizerTable::doPosition() const {
    return binding_.recordNo(kind_);
}

vl::StringList OrganizerTable::doFieldNames() const {
    vl::StringList names;
    for (const OrganizerField& f : OrganizerBinding::Fields(kind_))
        names.push_back(f.name);
    return names;
}

const OrganizerField* OrganizerTable::field(int index) const {
    const auto& fields = OrganizerBinding::Fields(kind_);
    return index >= 0 && index < static_cast<int>(fields.size())
               ? &fields[static_cast<std::size_t>(index)]
               : nullptr;
}

vl::Variant OrganizerTable::fieldValue(int index) const {
    vl::Variant value;
    if (const OrganizerField* f = field(index)) binding_.fieldValue(kind_, f->name, value);
    return value;
}

std::vector<std::uint8_t> OrganizerTable::fieldBytes(int index) const {
    const std::string text = fieldValue(index).toString();
    return {text.begin(), text.end()};
}

} // namespace quillet
