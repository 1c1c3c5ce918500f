#include "engine/script/FieldAccess.h"

#include "engine/build/FindDataSource.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlTable.h"
#include "tests/support/MemoryTable.h"

#include <gtest/gtest.h>

using namespace vl;
using vltest::MemoryTable;

namespace {

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
