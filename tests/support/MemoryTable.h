#pragma once

#include "engine/script/TvlTable.h"

namespace vltest {

using namespace vl;

// A one-record table held in memory.
class MemoryTable : public TvlTable {
public:
    MemoryTable(std::string name, TvlComponent* owner) : TvlTable(std::move(name), owner) {}
    ~MemoryTable() override { Close(); }

    void add(std::string name, TFieldType type, Variant value) {
        defs_.push_back({std::move(name), type});
        values_.push_back(std::move(value));
    }
    int opens = 0;

protected:
    std::vector<FieldDef> doOpen() override {
        ++opens;
        return defs_;
    }
    void doClose() override {}
    bool doFirst() override { return true; }
    bool doNext() override { return false; }
    bool doPrior() override { return false; }
    bool doSeek(std::int64_t position) override { return position == 0; }
    std::int64_t doPosition() const override { return 0; }
    bool doHasRecord() const override { return true; }
    StringList doFieldNames() const override {
        StringList names;
        for (const auto& d : defs_)
            names.push_back(d.name);
        return names;
    }
    Variant fieldValue(int i) const override { return values_[static_cast<std::size_t>(i)]; }
    bool fieldIsNull(int i) const override { return values_[static_cast<std::size_t>(i)].isNull(); }
    std::vector<std::uint8_t> fieldBytes(int) const override { return {}; }

private:
    std::vector<FieldDef> defs_;
    std::vector<Variant> values_;
};

} // namespace vltest
