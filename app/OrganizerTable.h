#pragma once

#include "app/OrganizerBinding.h"
#include "engine/script/TvlTable.h"

namespace quillet {

// One of the organizer's lists as a table: the designer's field lists show
// its fields, and expressions such as [Tasks."Name"] read them. Its fields
// are the organizer fields the binding answers for the list; its current
// record is always the one the list's data source is on, so the table has
// no cursor of its own to move: walked by a band of its own, it gives that
// one record and ends.
class OrganizerTable : public vl::TvlTable {
public:
    OrganizerTable(std::string name, vl::TvlComponent* owner, const OrganizerBinding& binding,
                   DataKind kind);

    DataKind kind() const { return kind_; }
    std::string className() const override { return "OrganizerTable"; }

protected:
    std::vector<FieldDef> doOpen() override;
    void doClose() override {}
    bool doFirst() override { return doHasRecord(); }
    bool doNext() override { return false; }
    bool doPrior() override { return false; }
    bool doSeek(std::int64_t position) override;
    std::int64_t doPosition() const override;
    bool doHasRecord() const override { return binding_.onRecord(kind_); }
    vl::StringList doFieldNames() const override;

    vl::Variant fieldValue(int index) const override;
    bool fieldIsNull(int index) const override { return fieldValue(index).isNull(); }
    std::vector<std::uint8_t> fieldBytes(int index) const override;

private:
    const OrganizerField* field(int index) const;

    const OrganizerBinding& binding_;
    DataKind kind_;
};

} // namespace quillet
