#include "engine/model/TvlView.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionSplitter.h"
#include "tests/engine/script/ScriptTestSupport.h"
#include "tests/support/ThreadEngine.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace vl {
namespace {

using test::RecordingObject;
using test::ScriptTestReport;

class ScriptRun : public ::testing::Test {
protected:
    // Compiles (no errors expected) and runs with GlobalInterpretator.
    void run(const StringList& source) {
        TInterpretator& interpreter = Globals().globalInterpretator();
        StringList compiled, errors;
        interpreter.CompileScript(source, compiled, errors);
        ASSERT_TRUE(errors.empty()) << errors[0];
        interpreter.RunScript(compiled);
    }
    Variant var(std::string_view name) { return Globals().globalVariables().GetVariable(name); }
    bool has(std::string_view name) { return Globals().globalVariables().IndexOf(name) >= 0; }

    ScriptTestReport report;
};

TEST_F(ScriptRun, Loops) {
    run({"begin s := 0; for i := 1 to 3 do s := s + i end"});
    EXPECT_TRUE(var("i").identical(Variant(4.0)));
    EXPECT_EQ(var("s").toInt(), 6);
    run({"begin i := 0; repeat i := i + 1 until i >= 5 end"});
    EXPECT_EQ(var("i").toInt(), 5);
    run({"begin i := 0; n := 0; while i < 3 do begin i := i + 1; n := n + 10 end end"});
    EXPECT_EQ(var("n").toInt(), 30);
    // the limit is evaluated on every pass
    run({"begin n := 5; c := 0; for i := 1 to n do begin n := 2; c := c + 1 end end"});
    EXPECT_EQ(var("c").toInt(), 2);
}

TEST_F(ScriptRun, BranchesGotoAndExit) {
    run({"begin a := 5; if a > 1 then b := 'big' else b := 'small' end"});
    EXPECT_EQ(var("b").toString(), "big");
    run({"begin goto 10; a := 1; 10: c := 2 end"});
    EXPECT_EQ(var("a").toInt(), 5);
    EXPECT_EQ(var("c").toInt(), 2);
    run({"begin exit; d := 1 end"});
    EXPECT_FALSE(has("d"));
    // a GOTO backwards makes a loop
    run({"begin k := 0; 1: k := k + 1; if k < 4 then goto 1 end"});
    EXPECT_EQ(var("k").toInt(), 4);
}

TEST_F(ScriptRun, ArraysAreGlobalVariables) {
    run({"begin a[2] := 5; b := a[2]; a['x'] := 'y'; c := a['x'] + a[3] end"});
    EXPECT_EQ(var("Arr_a_2").toInt(), 5);
    EXPECT_EQ(var("b").toInt(), 5);
    EXPECT_EQ(var("Arr_a_x").toString(), "y");
    EXPECT_TRUE(var("c").isNull()); // an absent element is Null, and Null propagates
    run({"begin i := 1.6; q[i] := 1 end"});
    EXPECT_TRUE(has("Arr_q_2")); // numeric indexes in their integer form
}

TEST_F(ScriptRun, IncDecAndFunctions) {
    run({"begin n := 1; inc(n); inc(n); m := mrOk; dec(m); "
         "x := UPPERCASE('ab') + COPY('xyz', 2, 1) end"});
    EXPECT_EQ(var("n").toInt(), 3);
    EXPECT_EQ(var("m").toInt(), 0);
    EXPECT_EQ(var("x").toString(), "ABy");
    run({"c := clRed + [Page#] + Null"});
    EXPECT_TRUE(var("c").isNull());
    run({"c := clRed + [Page#]"});
    EXPECT_EQ(var("c").toInt(), 0xFF + 1);
}

TEST_F(ScriptRun, UndefinedNamesAndBadValuesRaise) {
    TInterpretator& interpreter = Globals().globalInterpretator();
    StringList compiled, errors;
    interpreter.CompileScript({"a := b + 1"}, compiled, errors);
    try {
        interpreter.RunScript(compiled);
        FAIL() << "no error";
    } catch (const ParserError& e) {
        EXPECT_STREQ(e.what(), "Undefined symbol \"B\"");
    }
    interpreter.CompileScript({"if 'x' then a := 1"}, compiled, errors);
    EXPECT_THROW(interpreter.RunScript(compiled), ConversionError);
}

TEST_F(ScriptRun, AssignmentsReachObjectsPagesAndSettings) {
    report.addPage();
    RecordingObject& memo = report.addObject(0, "Memo1", {"Visible", "Font"});
    RecordingObject& page2 = report.addPage();
    RecordingObject& onPage2 = report.addObject(1, "Memo1");
    report.dictionary["Total"] = Variant("x");
    run({"begin Memo1.Visible := 0; Memo1.Font.Bold := 1; Page2.Visible := 0; "
         "Page2.Memo1.Visible := 7; Page3.Visible := 1; Memo1.Nothing := 1; Total := 5; "
         "ModalResult := mrCancel; CurY := 100; Progress := 'step' end"});
    EXPECT_EQ(memo.values["VISIBLE"].toInt(), 0);
    EXPECT_EQ(memo.values["FONT.BOLD"].toInt(), 1);
    EXPECT_EQ(page2.values["VISIBLE"].toInt(), 0);
    EXPECT_EQ(onPage2.values["VISIBLE"].toInt(), 7);
    EXPECT_TRUE(has("Page3.Visible")); // no such page: a variable
    EXPECT_TRUE(has("Memo1.Nothing")); // no such property: a variable
    EXPECT_EQ(report.dictionary["Total"].toInt(), 5);
    EXPECT_FALSE(has("Total"));
    EXPECT_EQ(report.modalResult, 2);
    EXPECT_EQ(report.curY, 100);
    EXPECT_EQ(report.progress, (std::vector<std::string>{"step"}));
    // an existing script variable wins over everything else
    Globals().globalVariables().SetVariable("CurY", 1);
    run({"CurY := 50"});
    EXPECT_EQ(report.curY, 100);
    EXPECT_EQ(var("CurY").toInt(), 50);
}

// A view whose script runs: its own properties without an object name.
class FontView : public TvlView {
public:
    void RegisterProperties() override {
        TvlView::RegisterProperties();
        AddProperty("Font", 0);
    }
    void SetProperty(std::string_view name, const Variant& value) override {
        if (UpperName(name) == "FONT.BOLD")
            bold = value.toBool();
        else
            TvlView::SetProperty(name, value);
    }
    bool bold = false;
};

TEST_F(ScriptRun, RunningObjectIsTheDefault) {
    report.addPage();
    RecordingObject& other = report.addObject(0, "Memo2");
    FontView view;
    ViewState().currentView = &view;
    run({"begin Visible := False; Font.Bold := True; Memo2.Visible := False; Left := 12; "
         "Lines := 1 end"});
    EXPECT_FALSE(view.Visible);
    EXPECT_TRUE(view.bold);
    EXPECT_EQ(view.Left, 12);
    EXPECT_EQ(other.values["VISIBLE"].toBool(), false);
    EXPECT_TRUE(has("Lines"));
    // properties read back through the report's lookup
    run({"w := Memo2.Visible"});
    EXPECT_FALSE(var("w").toBool());
    ViewState().currentView = nullptr;
}

TEST_F(ScriptRun, ObjectMethodsAndIndexedProperties) {
    report.addPage();
    RecordingObject& memo = report.addObject(0, "Memo1", {"Lines"});
    run({"begin Memo1.Lines.Add('a' + 'b', 2); Memo1.Lines[1 + 1] := 'x'; "
         "y := Memo1.Lines[3] end"});
    ASSERT_EQ(memo.calls.size(), 3u);
    EXPECT_EQ(memo.calls[0].name, "LINES.ADD");
    EXPECT_EQ(memo.calls[0].p1.toString(), "'a' + 'b'"); // arguments are raw texts
    EXPECT_EQ(memo.calls[0].p2.toString(), " 2");
    EXPECT_EQ(memo.calls[1].name, "SETINDEXPROPERTY");
    EXPECT_EQ(memo.calls[1].p1.toString(), "LINES");
    EXPECT_EQ(memo.calls[1].p2.toInt(), 2);
    EXPECT_EQ(memo.calls[1].p3.toString(), "x");
    EXPECT_EQ(memo.calls[2].name, "GETINDEXPROPERTY");
    EXPECT_EQ(var("y").toString(), "result of GETINDEXPROPERTY");
}

TEST_F(ScriptRun, StopFlagEndsAnEndlessScript) {
    TInterpretator& interpreter = Globals().globalInterpretator();
    StringList compiled, errors;
    interpreter.CompileScript({"begin a := 0; while 1 do a := a + 1 end"}, compiled, errors);
    std::thread timer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Globals().stopRequested() = true;
    });
    interpreter.RunScript(compiled);
    timer.join();
    EXPECT_GT(var("a").toInt(), 0);
    // STOPREPORT from inside the script stops it at the next line
    Globals().stopRequested() = false;
    run({"begin a := 0; while 1 do begin a := a + 1; if a = 3 then StopReport end end"});
    EXPECT_EQ(var("a").toInt(), 3);
}

TEST(ScriptCalls, CollectFunctionCallsSearchesEveryExpression) {
    TvlInterpretator interpreter(ScriptGlobals());
    StringList compiled, errors, found;
    interpreter.CompileScript({"begin a := SUM([x]); if COUNT(Band1) > v then Show(MAX([y])); "
                               "while MIN(1) do b := 1 end"},
                              compiled, errors);
    ASSERT_TRUE(errors.empty());
    TvlVariables dictionary;
    dictionary.SetVariable("v", Variant("AVG([z])"));
    interpreter.CollectFunctionCalls(compiled, {"SUM", "COUNT", "MAX", "MIN", "AVG"}, &dictionary,
                                     found);
    EXPECT_EQ(found, (StringList{"SUM([x])", "COUNT(Band1)", "AVG([z])", "MAX([y])", "MIN(1)"}));
}

} // namespace
} // namespace vl
