#include "engine/script/DataFieldRef.h"

#include "engine/script/Errors.h"

#include <gtest/gtest.h>
#include <set>

using namespace vl;

namespace {

class FakeDataSet : public TvlComponent {
public:
    FakeDataSet(std::string name, TvlComponent* owner, std::set<std::string> fields)
        : TvlComponent(std::move(name), owner), fields_(std::move(fields)) {}
    bool hasField(std::string_view name) const override {
        for (const auto& f : fields_)
            if (SameTextForTest(f, name)) return true;
        return false;
    }
    std::string className() const override { return "TTable"; }

private:
    static bool SameTextForTest(const std::string& a, std::string_view b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return std::toupper(x) == std::toupper(y); });
    }
    std::set<std::string> fields_;
};

class Frame : public TvlComponent {
public:
    using TvlComponent::TvlComponent;
    bool isFrame() const override { return true; }
};

struct Program {
    TvlComponent mainForm{"MainForm"};
    FakeDataSet customers{"Customers", &mainForm, {"Name", "Last Order", "City"}};
    TvlComponent dataModule{"Data"};
    FakeDataSet orders{"Orders", &dataModule, {"Total"}};
    TvlComponent nested{"Nested", &dataModule};
    FakeDataSet items{"Items", &nested, {"Qty"}};
    Frame frame{"Frame1", &mainForm};
    FakeDataSet framed{"Framed", &frame, {"X"}};
    ComponentDirectory directory;
    Program() {
        directory.add(&mainForm);
        directory.add(&dataModule);
    }
};

} // namespace

TEST(DataFieldRef, SplitsAtDotsUntilTheFirstQuote) {
    auto p = SplitDataFieldReference("Customers.\"Last.Order\"");
    EXPECT_EQ(p.dots, 1);
    EXPECT_EQ(p.parts, (StringList{"Customers", "\"Last.Order\""}));
    p = SplitDataFieldReference("A.B.C.D");
    EXPECT_EQ(p.dots, 3);
    EXPECT_EQ(p.parts.size(), 4u);
}

TEST(DataFieldRef, ResolvesEveryDepth) {
    Program prog;
    TvlComponent* ds = nullptr;
    std::string field;
    GetDataSetAndField(prog.directory, &prog.mainForm, "Customers.\"Last Order\"", ds, field);
    EXPECT_EQ(ds, &prog.customers);
    EXPECT_EQ(field, "Last Order");

    GetDataSetAndField(prog.directory, &prog.mainForm, "Customers.Missing", ds, field);
    EXPECT_EQ(ds, &prog.customers);
    EXPECT_EQ(field, "");

    ds = nullptr;
    GetDataSetAndField(prog.directory, &prog.mainForm, "Data.Orders.Total", ds, field);
    EXPECT_EQ(ds, &prog.orders);
    EXPECT_EQ(field, "Total");

    GetDataSetAndField(prog.directory, &prog.mainForm, "Data.Nested.Items.qty", ds, field);
    EXPECT_EQ(ds, &prog.items);
    EXPECT_EQ(field, "qty");
}

TEST(DataFieldRef, BareFieldUsesTheDefaultDataSet) {
    Program prog;
    TvlComponent* ds = &prog.customers;
    std::string field = "stale";
    GetDataSetAndField(prog.directory, &prog.mainForm, "City", ds, field);
    EXPECT_EQ(field, "City");
    ds = nullptr;
    GetDataSetAndField(prog.directory, &prog.mainForm, "City", ds, field);
    EXPECT_EQ(ds, nullptr);
    EXPECT_EQ(field, "");
}

TEST(DataFieldRef, MissingComponentsRaiseMissing) {
    Program prog;
    try {
        FindComponentByPath(prog.directory, &prog.mainForm, "Nobody");
        FAIL();
    } catch (const ClassNotFoundError& e) {
        EXPECT_STREQ(e.what(), "Missing Nobody");
    }
    EXPECT_THROW(FindComponentByPath(prog.directory, &prog.mainForm, "Data.Nobody"),
                 ClassNotFoundError);
    EXPECT_THROW(FindComponentByPath(prog.directory, &prog.mainForm, "NoForm.X"),
                 ClassNotFoundError);
    EXPECT_EQ(FindComponentByPath(prog.directory, nullptr, "data.nested.ITEMS"), &prog.items);
}

TEST(DataFieldRef, ComponentListNamesByOwnership) {
    Program prog;
    StringList list;
    const auto tables = [](const TvlComponent& c) { return c.className() == "TTable"; };
    GetComponentList(prog.directory, &prog.mainForm, tables, list, &prog.orders);
    EXPECT_EQ(list, (StringList{"Customers", "MainForm.Frame1.Framed"}));
    GetComponentList(prog.directory, &prog.dataModule, tables, list);
    EXPECT_EQ(list, (StringList{"MainForm.Customers", "MainForm.Frame1.Framed", "Orders"}));
}

TEST(DataFieldRef, ComponentsUnregisterWhenDestroyed) {
    TvlComponent form("Form");
    {
        TvlComponent child("Child", &form);
        EXPECT_EQ(form.findComponent("child"), &child);
    }
    EXPECT_EQ(form.findComponent("child"), nullptr);
}
