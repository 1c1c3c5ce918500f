#include "engine/build/FieldAccess.h"

#include "engine/build/FindDataSource.h"
#include "engine/build/TvlTable.h"
#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

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

struct Program {
    TvlComponent form{"MainForm"};
    MemoryTable customers{"Customers", &form};
    TvlComponent button{"Button1", &form};
    ComponentDirectory directory;
    Program() {
        directory.add(&form);
        customers.add("Name", TFieldType::ftString, Variant());
        customers.add("Wide", TFieldType::ftWideString, Variant());
        customers.add("Paid", TFieldType::ftBoolean, Variant());
        customers.add("Count", TFieldType::ftInteger, Variant());
        customers.add("Total", TFieldType::ftFloat, Variant());
        customers.add("Big", TFieldType::ftLargeInt, Variant(5.0e9));
        customers.add("City", TFieldType::ftString, Variant("Paris"));
        customers.add("Last Order", TFieldType::ftDateTime, Variant::dateTime(45000.5));
    }
    TvlField& field(const char* name) { return customers.FieldByName(name); }
};

} // namespace

TEST(FieldAccess, NullValuesBecomeTheEmptyValueOfTheirType) {
    Program p;
    p.customers.Open();
    TvlField& name = p.field("Name");
    p.customers.Close();
    const Variant empty = GetFieldValue(name); // opens the table again
    EXPECT_TRUE(p.customers.Active());
    EXPECT_EQ(p.customers.opens, 2);
    EXPECT_TRUE(empty.isString());
    EXPECT_EQ(empty.toString(), "");
    EXPECT_TRUE(GetFieldValue(p.field("Wide")).isString());
    const Variant paid = GetFieldValue(p.field("Paid"));
    EXPECT_EQ(paid.kind(), Variant::Kind::Boolean);
    EXPECT_FALSE(paid.toBool());
    EXPECT_EQ(GetFieldValue(p.field("Count")).kind(), Variant::Kind::Integer);
    EXPECT_EQ(GetFieldValue(p.field("Total")).toInt(), 0);
    EXPECT_EQ(GetFieldValue(p.field("City")).toString(), "Paris");
    EXPECT_EQ(GetFieldValue(p.field("Last Order")).kind(), Variant::Kind::DateTime);
}

TEST(FieldAccess, LargeIntegersAndHandledFieldsGiveTheirDisplayText) {
    Program p;
    p.customers.Open();
    const Variant big = GetFieldValue(p.field("Big"));
    EXPECT_TRUE(big.isString());
    EXPECT_EQ(big.toString(), "5000000000");
    p.field("City").OnGetText = [](const TvlField& f) { return "<" + f.value().toString() + ">"; };
    EXPECT_EQ(GetFieldValue(p.field("City")).toString(), "<Paris>");
}

TEST(FieldAccess, IsFieldNullResolvesReferences) {
    Program p;
    EXPECT_TRUE(IsFieldNull(p.directory, &p.form, nullptr, "Customers.Name"));
    EXPECT_EQ(p.customers.opens, 1); // opened to read
    EXPECT_FALSE(IsFieldNull(p.directory, &p.form, nullptr, "Customers.\"Last Order\""));
    EXPECT_FALSE(IsFieldNull(p.directory, &p.form, nullptr, "MainForm.Customers.City"));
    // A bare name needs a default table.
    EXPECT_TRUE(IsFieldNull(p.directory, &p.form, nullptr, "City"));
    EXPECT_FALSE(IsFieldNull(p.directory, &p.form, &p.customers, "City"));
}

TEST(FieldAccess, IsFieldNullRaisesForMissingFieldsAndNonTables) {
    Program p;
    try {
        IsFieldNull(p.directory, &p.form, nullptr, "Customers.Missing");
        FAIL() << "a missing field tested null";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("'Missing'"), std::string::npos) << e.what();
    }
    EXPECT_THROW(IsFieldNull(p.directory, &p.form, &p.customers, ""), VlError);
    EXPECT_THROW(IsFieldNull(p.directory, &p.form, nullptr, "Button1.Caption"),
                 InvalidTypeCastError);
    EXPECT_THROW(IsFieldNull(p.directory, &p.form, nullptr, "Nowhere.X"), ClassNotFoundError);
}
