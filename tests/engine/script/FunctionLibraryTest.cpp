#include "engine/script/FunctionLibrary.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/DataFieldRef.h"
#include "engine/script/DatabaseFunctionLibrary.h"
#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionDescriptions.h"
#include "engine/script/FunctionSplitter.h"
#include "engine/script/StdFunctionLibrary.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "engine/script/UiService.h"
#include "tests/support/MemoryTable.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

// GlobalParser bound as a report binds it: names from GlobalVariables, calls
// through the libraries and then a user handler.
class FunctionLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Globals().localeService().select("en_US");
        TvlParser& p = Globals().globalParser();
        p.OnGetValue = [](std::string_view name, Variant& value) {
            value = Globals().globalVariables().GetVariable(name);
        };
        p.OnCallFunction = [this](std::string_view name, const Variant& p1, const Variant& p2,
                                  const Variant& p3, Variant& val) {
            CallFunctionLibraries(Globals().functionLibraries(), name, p1, p2, p3, val);
            if (userFunction) userFunction(name, p1, p2, p3, val);
        };
    }
    void TearDown() override {
        Globals().globalParser().OnGetValue = nullptr;
        Globals().globalParser().OnCallFunction = nullptr;
        Globals().globalVariables().Clear();
        Globals().setUiService(nullptr);
    }

    Variant eval(const std::string& text) { return Globals().globalParser().Evaluate(text); }

    TFunctionEvent userFunction;
};

class ScriptedUi : public UiService {
public:
    std::string inputBox(const std::string& caption, const std::string& prompt,
                         const std::string& defaultText) override {
        seen = caption + "|" + prompt + "|" + defaultText;
        return "typed";
    }
    int messageBox(const std::string& text, const std::string& caption, int flags) override {
        seen = text + "|" + caption + "|" + std::to_string(flags);
        return 6;
    }
    std::string seen;
};

} // namespace

TEST_F(FunctionLibraryTest, TextAndNumberFunctions) {
    EXPECT_TRUE(eval("MAXNUM(2, 3)").identical(Variant(3.0)));
    EXPECT_TRUE(eval("MINNUM(2, 3)").identical(Variant(2.0)));
    EXPECT_TRUE(eval("MAXNUM('b', 'a')").identical(Variant("b")));
    EXPECT_TRUE(eval("NAMECASE('hELLO wORLD')").identical(Variant("Hello world")));
    EXPECT_TRUE(eval("NAMECASE('')").identical(Variant("")));
    EXPECT_TRUE(eval("POS('b', 'abc')").identical(Variant(2)));
    EXPECT_TRUE(eval("POS('x', 'abc')").identical(Variant(0)));
    EXPECT_TRUE(eval("LENGTH('')").identical(Variant(0)));
    EXPECT_TRUE(eval("LENGTH(12.5)").identical(Variant(4)));
    EXPECT_TRUE(eval("UPPERCASE('\xE9t\xE9')").identical(Variant("\xC9T\xC9")));
    EXPECT_TRUE(eval("LOWERCASE('ABC')").identical(Variant("abc")));
    EXPECT_TRUE(eval("TRIM(' \tx y\r\n')").identical(Variant("x y")));
    EXPECT_TRUE(eval("FORMATFLOAT('0.00', 2/3)").identical(Variant("0.67")));
    EXPECT_TRUE(eval("FORMATTEXT('000-00', '12345')").identical(Variant("123-45")));
    EXPECT_TRUE(eval("FORMATTEXT('000-00', '12')").identical(Variant("12 -  ")));
    EXPECT_THROW(eval("FORMATFLOAT('0', 'abc')"), ConversionError);
}

TEST_F(FunctionLibraryTest, TextFunctionsCountCharactersOfUtf8Text) {
    const ScopedTextEncoding utf8(TextEncoding::Utf8);
    EXPECT_TRUE(eval("LENGTH('Ελένη Παπαδοπούλου')").identical(Variant(18)));
    EXPECT_TRUE(eval("LENGTH('王小明')").identical(Variant(3)));
    EXPECT_TRUE(eval("COPY('Ελένη', 2, 3)").identical(Variant("λέν")));
    EXPECT_TRUE(eval("COPY('王小明', 2, 9)").identical(Variant("小明")));
    EXPECT_TRUE(eval("POS('ένη', 'Ελένη')").identical(Variant(3)));
    EXPECT_TRUE(eval("POS('明', '王小明')").identical(Variant(3)));
    EXPECT_TRUE(eval("UPPERCASE('Ελένη')").identical(Variant("ΕΛΈΝΗ")));
    EXPECT_TRUE(eval("LOWERCASE('ИВАН Петров')").identical(Variant("иван петров")));
    EXPECT_TRUE(eval("NAMECASE('ελένη')").identical(Variant("Ελένη")));
    EXPECT_TRUE(eval("UPPERCASE('王小明')").identical(Variant("王小明")));
    EXPECT_TRUE(eval("TRIM('  עברית ')").identical(Variant("עברית")));
    EXPECT_TRUE(eval("FORMATTEXT('>ccc-c', 'ελέν')").identical(Variant("ΕΛΈ-Ν")));
    // Compared by the locale, not by their bytes: alpha before omega.
    EXPECT_TRUE(eval("MAXNUM('Ωμέγα', 'άλφα')").identical(Variant("Ωμέγα")));
    EXPECT_TRUE(eval("MINNUM('Ωμέγα', 'άλφα')").identical(Variant("άλφα")));
}

TEST_F(FunctionLibraryTest, DateFunctions) {
    Globals().globalVariables().SetVariable("D", Variant::dateTime(45366.75));
    EXPECT_TRUE(eval("YEAROF(D)").identical(Variant(2024)));
    EXPECT_TRUE(eval("FORMATDATETIME('yyyy', D)").identical(Variant("2024")));
    EXPECT_TRUE(eval("MONTHOF(D)").identical(Variant(3)));
    EXPECT_TRUE(eval("DAYOF('3/15/2024')").identical(Variant(15)));
    EXPECT_TRUE(eval("FORMATDATETIME('hh:nn', D)").identical(Variant("18:00")));
    EXPECT_THROW(eval("DAYOF('someday')"), ConversionError);
    EXPECT_THROW(eval("DAYOF(Missing)"), ConversionError);
}

TEST_F(FunctionLibraryTest, DialogsGoThroughTheUiService) {
    EXPECT_TRUE(eval("INPUT('Name?', 'Bob')").identical(Variant("Bob")));
    EXPECT_TRUE(eval("MESSAGEBOX('Go?', 'Title', 4)").identical(Variant(1)));
    auto ui = std::make_unique<ScriptedUi>();
    ScriptedUi* seen = ui.get();
    Globals().setUiService(std::move(ui));
    EXPECT_TRUE(eval("INPUT('Name?', 'Bob')").identical(Variant("typed")));
    EXPECT_EQ(seen->seen, "|Name?|Bob");
    EXPECT_TRUE(eval("MESSAGEBOX('Go?', 'Title', 4 + 32)").identical(Variant(6)));
    EXPECT_EQ(seen->seen, "Go?|Title|36");
}

TEST_F(FunctionLibraryTest, DispatchFallsThroughWithTextZero) {
    EXPECT_TRUE(eval("NOBODY(1)").identical(Variant("0")));
    std::string userSaw;
    userFunction = [&](std::string_view name, const Variant& p1, const Variant&, const Variant&,
                       Variant& val) {
        userSaw = std::string(name) + ":" + val.toString();
        if (name == "LOADPHOTO") val = Variant(p1.toString() + "!");
    };
    EXPECT_TRUE(eval("LoadPhoto(x)").identical(Variant("x!")));
    EXPECT_EQ(userSaw, "LOADPHOTO:0");
    eval("LENGTH('abc')"); // the user handler runs after a library answered, too
    EXPECT_EQ(userSaw, "LENGTH:3");
}

TEST_F(FunctionLibraryTest, RegistryOrderAndUnregistering) {
    TvlFunctionLibraries& libs = Globals().functionLibraries();
    ASSERT_EQ(libs.Count(), 2);
    EXPECT_EQ(libs.Library(0).ClassName(), "TvlStdFunctionLibrary");
    EXPECT_EQ(libs.Library(1).ClassName(), "TDatabaseFunctionLibrary");
    RegisterFunctionLibrary(ScriptGlobals(), FunctionLibraryClass::of<TvlStdFunctionLibrary>());
    EXPECT_EQ(libs.Count(), 2);

    TvlInstalledFunctions& described = Globals().installedFunctions();
    UnRegisterFunctionLibrary(ScriptGlobals(), TvlStdFunctionLibrary::kClassName);
    EXPECT_EQ(libs.Count(), 1);
    EXPECT_EQ(described.GetDescription("SUM"), "");
    EXPECT_TRUE(eval("LENGTH('abc')").identical(Variant("0")));
    RegisterFunctionLibrary(ScriptGlobals(), FunctionLibraryClass::of<TvlStdFunctionLibrary>());
    EXPECT_EQ(libs.Library(1).ClassName(), "TvlStdFunctionLibrary");
    EXPECT_TRUE(eval("LENGTH('abc')").identical(Variant(3)));
    // put the registration order back for the tests that follow
    UnRegisterFunctionLibrary(ScriptGlobals(), TDatabaseFunctionLibrary::kClassName);
    RegisterFunctionLibrary(ScriptGlobals(), FunctionLibraryClass::of<TDatabaseFunctionLibrary>());
}

// Every function the standard library computes is found by its name and
// described, and each computes its own result (not a neighbour's).
TEST_F(FunctionLibraryTest, EveryStandardFunctionIsDescribedAndDispatchedByName) {
    const TvlFunctionLibrary* library =
        Globals().functionLibraries().Find(TvlStdFunctionLibrary::kClassName);
    ASSERT_NE(library, nullptr);
    const StringList& names = library->Names();
    EXPECT_EQ(names.size(), 21u);
    for (const std::string& name : names)
        EXPECT_EQ(Globals().installedFunctions().GetDescription(name).rfind(name + "(", 0), 0u)
            << name;
    EXPECT_TRUE(eval("UPPERCASE('ab')").identical(Variant("AB")));
    EXPECT_TRUE(eval("LOWERCASE('AB')").identical(Variant("ab")));
    EXPECT_TRUE(eval("NAMECASE('aB')").identical(Variant("Ab")));
    EXPECT_TRUE(eval("MAXNUM(2, 5)").identical(eval("5")));
    EXPECT_TRUE(eval("MINNUM(2, 5)").identical(eval("2")));
    EXPECT_TRUE(eval("POS('c', 'abc')").identical(Variant(3)));
}

TEST_F(FunctionLibraryTest, DescriptionsByCategory) {
    const TvlInstalledFunctions& described = Globals().installedFunctions();
    EXPECT_EQ(described.GetDescription("sum").substr(0, 4), "SUM(");
    EXPECT_EQ(described.GetDescription("FieldIsNull"),
              "FIELDISNULL(<FieldName>)/Returns 'true' if DB-field is null");
    StringList categories;
    described.GetCategories(categories);
    EXPECT_EQ(categories, (StringList{"Aggregate", "Boolean", "Database", "Date and time",
                                      "Interpreter", "Math", "Other", "Report info", "String"}));
    StringList names;
    described.GetFunctionsOfCategory("aggregate", names);
    EXPECT_EQ(names, (StringList{"AVG", "COUNT", "MAX", "MIN", "SUM"}));
    described.GetFunctionsOfCategory(LoadResString(55348), names);
    EXPECT_EQ(names.size(), described.Entries().size());
    for (const TvlFunctionDesc& d : described.Entries())
        EXPECT_NE(d.Description.find('/'), std::string::npos) << d.Name;

    TvlInstalledFunctions list;
    const TvlFunctionLibrary& lib = Globals().functionLibraries().Library(0);
    list.Add(lib, "X", "", "ignored without a category");
    list.Add(lib, "X", "Cat", "first");
    list.Add(lib, "X", "Cat", "same name again");
    list.Add(lib, "x", "Cat", "other case");
    EXPECT_EQ(list.Entries().size(), 2u);
    EXPECT_EQ(list.GetDescription("X"), "first");
}

TEST_F(FunctionLibraryTest, FieldIsNull) {
    EXPECT_TRUE(eval("FIELDISNULL('Notes')").identical(Variant(true)));
    TvlComponent form("Form1");
    vltest::MemoryTable table("Table1", &form);
    table.add("Notes", TFieldType::ftString, Variant());
    Globals().components().add(&form);
    auto* db = dynamic_cast<TDatabaseFunctionLibrary*>(
        Globals().functionLibraries().Find(TDatabaseFunctionLibrary::kClassName));
    ASSERT_NE(db, nullptr);
    db->Context = [&] { return FieldLookupContext{&form, &table}; };
    EXPECT_TRUE(eval("FIELDISNULL('Notes')").identical(Variant(true)));
    table.Close();
    vltest::MemoryTable filled("Table1", &form);
    filled.add("Notes", TFieldType::ftString, Variant("text"));
    table.setName("Old");
    EXPECT_TRUE(eval("FIELDISNULL('Form1.Table1.Notes')").identical(Variant(false)));
    EXPECT_TRUE(eval("FIELDISNULL('Table1.notes')").identical(Variant(false)));
    EXPECT_THROW(eval("FIELDISNULL('Table1.Missing')"), VlError);
    EXPECT_THROW(eval("FIELDISNULL('NoTable.Notes')"), ClassNotFoundError);
    db->Context = nullptr;
    Globals().components().remove(&form);
}

TEST(FunctionSplitterTest, FindsCallsInnermostFirstAndThroughVariables) {
    TvlVariables dictionary;
    dictionary.SetVariable("Total", Variant("SUM([Amount]) * 2"));
    StringList found;
    TAggregateFunctionsSplitter splitter(found, &dictionary);
    splitter.Split("MAX(SUM([Price], Band1), 1) + [Total] + 'SUM(x)'");
    EXPECT_EQ(found, (StringList{"SUM([Price], Band1)", "MAX(SUM([Price], Band1), 1)"}));
    found.clear();
    splitter.Split("Total / count(MasterData1)");
    EXPECT_EQ(found, (StringList{"SUM([Amount])", "count(MasterData1)"}));
    found.clear();
    splitter.SplitMemo({"Sum: [SUM([Price])] and [Total]", "[IF(1, AVG([X]), 0)] [unclosed"});
    EXPECT_EQ(found, (StringList{"SUM([Price])", "SUM([Amount])", "AVG([X])"}));
    found.clear();
    splitter.SplitScript({std::string("\x01\x05\x00", 3) + "SUM([A]) 1 >", "\x02\x00\x00",
                          "\x03MIN([B])", "x MAX([C])"});
    EXPECT_EQ(found, (StringList{"SUM([A])", "MIN([B])", "MAX([C])"}));

    TvlVariables loop;
    loop.SetVariable("A", Variant("B + SUM(1)"));
    loop.SetVariable("B", Variant("A"));
    found.clear();
    TAggregateFunctionsSplitter cyclic(found, &loop);
    cyclic.Split("A");
    EXPECT_FALSE(found.empty());
}
