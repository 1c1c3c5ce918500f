#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlDataDictionary.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/support/MemoryTable.h"
#include "tests/support/TemplateBuilder.h"
#include "tests/support/ThreadEngine.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vl;
using vltest::MemoryTable;
using vltest::TemplateBuilder;

namespace {

struct Program : TvlDictionaryContext {
    TvlComponent form{"MainForm"};
    MemoryTable customers{"Customers", &form};
    MemoryTable temp1{"Temp1", &form};
    TvlDataset source{"Source1", &form};
    ComponentDirectory directory;
    TvlComponent* defaultTable = nullptr;
    Program() {
        directory.add(&form);
        customers.add("Name", TFieldType::ftString, Variant("Smith"));
        customers.add("Order No", TFieldType::ftInteger, Variant(7));
    }
    const ComponentDirectory& dictionaryComponents() const override { return directory; }
    TvlScriptContext& dictionaryEngine() const override { return ScriptGlobals(); }
    const TvlComponent* dictionaryOwner() const override { return &form; }
    TvlComponent* bandContextTable() const override { return defaultTable; }
};

class DataDictionaryTest : public ::testing::Test {
protected:
    test::ViewStateGuard guard;
    Program program;
    TvlDataDictionary dict{program};

    void load(const TemplateBuilder& b) {
        MemoryStream s = b.stream();
        dict.LoadFromStream(s, ViewState().templateVersion);
    }
    StringList names() const {
        StringList n;
        for (int i = 0; i < dict.Variables.Count(); ++i)
            n.push_back(dict.Variables.GetName(i));
        return n;
    }
};

} // namespace

TEST_F(DataDictionaryTest, SavedBlocksKeepCategoriesVariablesAliasesAndOrder) {
    dict.Variables.SetVariable(" People", Variant(""));
    dict.Variables.SetVariable("Who", Variant("Customers.\"Name\""));
    dict.Variables.SetVariable("Age", Variant("42"));
    dict.Variables.SetVariable(" Orders", Variant(""));
    dict.FieldAliases.SetVariable("Customers", Variant("Clients"));
    dict.FieldAliases.SetVariable("Customers.Order No", Variant(""));
    dict.DataSourceAliases.SetVariable("Source1", Variant("Rows"));
    MemoryStream m;
    dict.SaveToStream(m);
    ASSERT_GE(m.size(), 2);
    EXPECT_EQ(m.data()[0], 0xFE);
    EXPECT_EQ(m.data()[1], 0xFF);

    TvlDataDictionary back(program);
    m.seek(0);
    back.LoadFromStream(m, 25);
    EXPECT_EQ(m.position(), m.size());
    StringList categories;
    back.GetCategoryList(categories);
    EXPECT_EQ(categories, (StringList{"People", "Orders"}));
    StringList people;
    back.GetVariablesList("people", people);
    EXPECT_EQ(people, (StringList{"Who", "Age"}));
    back.GetVariablesList("Nobody", people);
    EXPECT_TRUE(people.empty());
    EXPECT_EQ(back.FieldAliases.Count(), 2);
    EXPECT_EQ(back.DataSourceAliases.GetVariable("Source1").toString(), "Rows");

    QTemporaryDir dir;
    const QString path = dir.filePath("d.vld");
    dict.SaveToFile(path);
    EXPECT_EQ(ReadWholeFile(path).at(0), 25);
    TvlDataDictionary fromFile(program);
    fromFile.LoadFromFile(path);
    EXPECT_EQ(fromFile.Variables.Count(), 4);
}

TEST_F(DataDictionaryTest, LegacyBlocksBecomeBlankPrefixedCategories) {
    ViewState().templateVersion = 22;
    TemplateBuilder b(22);
    b.i32(3);
    b.u8(1).i32(0).u8(9).text("Customers").u8(4).text("Name").u8(4).text("Whom");
    b.u8(2).i32(1).u8(0).u8(3).text("1+2").u8(5).text("Three");
    b.u8(2).i32(8).u8(0).u8(0).u8(5).text("Pages");
    b.list({"People", " Whom", " Three", "Other", " Pages", " Unknown"});
    load(b);
    EXPECT_EQ(names(), (StringList{" People", "Whom", "Three", " Other", "Pages", "Unknown"}));
    EXPECT_EQ(dict.Variables.GetVariable("Whom").toString(), "Customers.\"Name\"");
    EXPECT_EQ(dict.Variables.GetVariable("Three").toString(), "1+2");
    EXPECT_EQ(dict.Variables.GetVariable("Pages").toString(), "TOTALPAGES");
    EXPECT_EQ(dict.Variables.GetVariable("Unknown").toString(), "");
}

TEST_F(DataDictionaryTest, DictionaryFilesReadOldBlocksInTheirOwnVersion) {
    ViewState().templateVersion = 25; // as after reading a current template
    TemplateBuilder b(22);
    b.u8(22).i32(0).list({"People", " Who"});
    QTemporaryDir dir;
    const QString path = dir.filePath("old.vld");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(b.data().data()), static_cast<qint64>(b.size()));
    file.close();
    dict.LoadFromFile(path);
    EXPECT_EQ(names(), (StringList{" People", "Who"}));
}

TEST_F(DataDictionaryTest, NewLayoutsStartingWithAVariableAreToggled) {
    TemplateBuilder b(25);
    b.u16(0xFFFE).i32(3).strCurrent("Cat").strCurrent("").strCurrent(" A").strCurrent("1");
    b.strCurrent(" B").strCurrent("2").i32(0).i32(0);
    load(b);
    EXPECT_EQ(names(), (StringList{" Cat", "A", "B"}));
}

TEST_F(DataDictionaryTest, OldMarkerDropsAliasesThatNoLongerResolve) {
    TemplateBuilder b(25);
    b.u16(0xFFFF).i32(0);
    b.i32(3).strCurrent("Customers.Name").strCurrent("");
    b.strCurrent("Customers.Gone").strCurrent("").strCurrent("Customers").strCurrent("Clients");
    b.i32(2).strCurrent("Source1").strCurrent("").strCurrent("Source2").strCurrent("S2");
    load(b);
    EXPECT_EQ(dict.FieldAliases.Count(), 2);
    EXPECT_GE(dict.FieldAliases.IndexOf("Customers.Name"), 0);
    EXPECT_LT(dict.FieldAliases.IndexOf("Customers.Gone"), 0);
    EXPECT_EQ(dict.DataSourceAliases.Count(), 1);
    EXPECT_EQ(dict.DataSourceAliases.GetName(0), "Source2");
}

TEST_F(DataDictionaryTest, HiddenDataSetsMatchExactlyOrByCaseSensitivePrefix) {
    dict.HiddenDataSets = {"Temp*", "Secret"};
    EXPECT_FALSE(dict.IsDataSetEnabled("Temp1"));
    EXPECT_FALSE(dict.IsDataSetEnabled("TempOrders"));
    EXPECT_TRUE(dict.IsDataSetEnabled("temp1"));
    EXPECT_FALSE(dict.IsDataSetEnabled("SECRET"));
    EXPECT_TRUE(dict.IsDataSetEnabled("Customers"));
    StringList sets;
    dict.GetDataSetList(sets);
    EXPECT_EQ(sets, (StringList{"Customers"}));
}

TEST_F(DataDictionaryTest, VariablesNamingFieldsReadTheFieldOnceCached) {
    dict.Variables.SetVariable(" People", Variant(""));
    dict.Variables.SetVariable("Who", Variant("Customers.\"Name\""));
    EXPECT_EQ(dict.CacheCount(), 0);
    EXPECT_TRUE(dict.IsVariable("who"));
    ASSERT_NE(dict.FindCacheItem("WHO"), nullptr);
    EXPECT_EQ(dict.FindCacheItem("WHO")->FieldName, "Name");
    Variant value;
    dict.GetValue("Who", value);
    EXPECT_EQ(value.toString(), "Smith");
    EXPECT_EQ(program.customers.opens, 1);

    dict.ClearCache();
    EXPECT_EQ(dict.CacheCount(), 0);
    EXPECT_FALSE(dict.IsVariable("Nobody"));
    dict.GetValue("Nobody", value);
    EXPECT_TRUE(value.isNull());
}

TEST_F(DataDictionaryTest, DottedNamesResolveThroughAliases) {
    dict.FieldAliases.SetVariable("Customers", Variant("Clients"));
    dict.FieldAliases.SetVariable("Customers.Order No", Variant("Number"));
    EXPECT_TRUE(dict.IsVariable("Clients.Number"));
    Variant value;
    dict.GetValue("clients.number", value);
    EXPECT_EQ(value.toInt(), 7);
    EXPECT_TRUE(dict.IsVariable("Customers.\"Name\""));
    EXPECT_FALSE(dict.IsVariable("Customers.Missing"));
    EXPECT_FALSE(dict.IsVariable("NoForm.NoSet.Field"));
    EXPECT_FALSE(dict.IsVariable("Name")); // no band context
    program.defaultTable = &program.customers;
    EXPECT_TRUE(dict.IsVariable("Name"));
}

TEST_F(DataDictionaryTest, CachedFieldsOfDestroyedDataSetsAreResolvedAgain) {
    auto gone = std::make_unique<MemoryTable>("Gone", &program.form);
    gone->add("X", TFieldType::ftInteger, Variant(1));
    dict.AddCacheItem("G", gone.get(), "X");
    dict.AddCacheItem("A", &program.customers, "Missing");
    dict.SortCache();
    gone.reset();
    Variant value(5);
    dict.GetValue("G", value);
    EXPECT_TRUE(value.isNull());
    EXPECT_EQ(dict.FindCacheItem("G"), nullptr);
    EXPECT_THROW(dict.GetValue("A", value), VlError);
}

TEST_F(DataDictionaryTest, AssignedTextIsEvaluatedWhenTheVariableIsRead) {
    TvlParser& parser = Globals().globalParser();
    parser.OnGetValue = [](std::string_view name, Variant& v) {
        if (name == "HELLO") v = Variant("world");
    };
    dict.Variables.SetVariable("Greeting", Variant("1 + 2"));
    Variant value;
    dict.GetValue("Greeting", value);
    EXPECT_EQ(value.toInt(), 3);
    dict.Variables.SetVariable("Greeting", Variant("Hello"));
    dict.GetValue("Greeting", value);
    EXPECT_EQ(value.toString(), "world");
    Globals().globalVariables().SetVariable("Greeting", Variant(9));
    dict.GetValue("Greeting", value);
    EXPECT_EQ(value.toInt(), 9);
    Globals().globalVariables().Clear();
    parser.OnGetValue = nullptr;
}

TEST_F(DataDictionaryTest, AliasLookupsAndLists) {
    dict.FieldAliases.SetVariable("Customers", Variant("Clients"));
    dict.FieldAliases.SetVariable("Customers.Order No", Variant(""));
    dict.DataSourceAliases.SetVariable("Source1", Variant("Rows"));
    EXPECT_EQ(dict.RealDataSetName("clients"), "Customers");
    EXPECT_EQ(dict.RealDataSetName("Other"), "Other");
    EXPECT_EQ(dict.RealDataSourceName("ROWS"), "Source1");
    EXPECT_EQ(dict.GetAliasName("Customers"), "Clients");
    EXPECT_EQ(dict.GetAliasName("Source1"), "Rows");
    EXPECT_EQ(dict.GetAliasName("Customers.Order No"), "Customers.Order No");
    std::string set = "keep", field = "keep";
    TvlDataDictionary::SplitFieldName("Form.\"a.b\"", set, field);
    EXPECT_EQ(set, "Form");
    EXPECT_EQ(field, "a.b");
    TvlDataDictionary::SplitFieldName("\"x.y\"", set, field);
    EXPECT_EQ(set, "Form");
    StringList list;
    dict.GetDataSetList(list);
    EXPECT_EQ(list, (StringList{"Clients"}));
    dict.GetFieldList("Clients", list);
    EXPECT_EQ(list, (StringList{"Name"}));
    dict.GetDataSourceList(list);
    EXPECT_EQ(list, (StringList{"Rows"}));
}
