#include "engine/script/CompiledLine.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TvlInterpretator.h"

#include <gtest/gtest.h>
#include <random>

namespace vl {
namespace {

struct Compiled {
    StringList lines, errors;
};

Compiled compile(const StringList& source) {
    Compiled c;
    TvlInterpretator(ScriptGlobals()).CompileScript(source, c.lines, c.errors);
    return c;
}

// Kind and target of each line: "JZ 3", "JMP 4", "CALL", "SET b".
std::vector<std::string> layout(const StringList& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        switch (compiled::KindOf(line)) {
        case compiled::Kind::ConditionalJump:
            out.push_back("JZ " + std::to_string(compiled::TargetOf(line)));
            break;
        case compiled::Kind::Jump:
            out.push_back("JMP " + std::to_string(compiled::TargetOf(line)));
            break;
        case compiled::Kind::Call:
            out.push_back("CALL");
            break;
        default:
            out.push_back("SET " + std::string(compiled::AssignedName(line)));
        }
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(ScriptCompiler, BlockOfAssignmentsHoldsPostfixText) {
    const Compiled c = compile({"begin a := 1; b := a + 1 end"});
    EXPECT_TRUE(c.errors.empty());
    EXPECT_EQ(c.lines, (Lines{"a 1 ", "b a 1 +"}));
}

TEST(ScriptCompiler, TopLevelIsOneStatement) {
    const Compiled c = compile({"a := 1; b := 2"});
    EXPECT_TRUE(c.errors.empty());
    EXPECT_EQ(c.lines, (Lines{"a 1 "}));
    // text after the first statement is ignored, also an unbalanced END
    EXPECT_TRUE(compile({"a := 1 end end"}).errors.empty());
}

TEST(ScriptCompiler, IfElseLayout) {
    const Compiled c = compile({"if a > 1 then b := 1 else b := 2"});
    EXPECT_TRUE(c.errors.empty());
    EXPECT_EQ(layout(c.lines), (Lines{"JZ 3", "SET b", "JMP 4", "SET b"}));
    EXPECT_EQ(compiled::ExpressionOf(c.lines[0]), "a 1 >");
    // without ELSE the jump goes past the statement
    EXPECT_EQ(layout(compile({"begin if a then b := 1; c := 2 end"}).lines),
              (Lines{"JZ 2", "SET b", "SET c"}));
}

TEST(ScriptCompiler, LoopLayouts) {
    EXPECT_EQ(layout(compile({"while i < 3 do i := i + 1"}).lines),
              (Lines{"JZ 3", "SET i", "JMP 0"}));
    const Compiled repeat = compile({"repeat i := i + 1 until i >= 5"});
    EXPECT_EQ(layout(repeat.lines), (Lines{"SET i", "JZ 0"}));
    EXPECT_EQ(compiled::ExpressionOf(repeat.lines[1]), "i 5 \x01");
    const Compiled loop = compile({"for i := 1 to n + 1 do s := s + i"});
    EXPECT_TRUE(loop.errors.empty());
    EXPECT_EQ(layout(loop.lines), (Lines{"SET i", "JZ 5", "SET s", "SET i", "JMP 1"}));
    EXPECT_EQ(compiled::ExpressionOf(loop.lines[1]), "i n 1 +\x02");
    EXPECT_EQ(compiled::ExpressionOf(loop.lines[3]), "i 1 +");
}

TEST(ScriptCompiler, GotoLabelsAndProcedures) {
    const Compiled c = compile({"begin goto 10; a := 1; 10: b := 2; exit end"});
    EXPECT_TRUE(c.errors.empty());
    EXPECT_EQ(layout(c.lines), (Lines{"JMP 2", "SET a", "SET b", "CALL"}));
    EXPECT_EQ(c.lines[3], "\x03"
                          "exit(0)");
    // labels may stand before any statement and before END
    EXPECT_EQ(layout(compile({"begin 1: 2: goto 2; 3: end"}).lines), (Lines{"JMP 0"}));
    EXPECT_EQ(compile({"ShowIt('a', 1)"}).lines, (Lines{"\x03ShowIt('a', 1)"}));
    EXPECT_EQ(compile({"begin Memo1.Lines.Clear; x := 1 end"}).lines[0],
              "\x03Memo1.Lines.Clear(0)");
}

TEST(ScriptCompiler, ArrayAssignmentsBecomeSetArray) {
    EXPECT_EQ(compile({"a[i + 1] := 'x'"}).lines, (Lines{"\x03SETARRAY(a, i + 1, 'x')"}));
    // the loop variable of FOR may be an element too
    const Compiled c = compile({"for a[1] := 1 to 2 do b := a[1]"});
    EXPECT_TRUE(c.errors.empty());
    EXPECT_EQ(c.lines[3], "\x03SETARRAY(a, 1, a[1]+1)");
}

TEST(ScriptCompiler, CommentsAreCut) {
    EXPECT_EQ(compile({"{ comment } a := 1"}).lines, (Lines{"a 1 "}));
    EXPECT_EQ(compile({"a := 1 // comment"}).lines, (Lines{"a 1 "}));
    EXPECT_EQ(compile({"begin a := 1; // one", "{ two", "lines } b := 2 end"}).lines,
              (Lines{"a 1 ", "b 2 "}));
    // a token that starts with a quote keeps its braces
    EXPECT_EQ(compile({"a := '{x}//'"}).lines, (Lines{"a '{x}//' "}));
    // tabs are blanks
    EXPECT_EQ(compile({"a\t:=\t1"}).lines, (Lines{"a 1 "}));
}

TEST(ScriptCompiler, EmptyScripts) {
    for (const StringList& source :
         {StringList{}, StringList{""}, StringList{"begin", "", "end"}, StringList{"  { c }  "}}) {
        const Compiled c = compile(source);
        EXPECT_TRUE(c.lines.empty());
        EXPECT_TRUE(c.errors.empty());
    }
}

TEST(ScriptCompiler, ErrorLinesCarryLineColumnAndMessage) {
    struct Case {
        StringList source;
        std::string error;
    };
    const Case cases[] = {
        {{"begin a := 1"}, "Line 2/0: Need \";\" or \"end\" here"},
        {{"begin a := 1 b := 2 end"}, "Line 1/14: Need \";\" or \"end\" here"},
        {{"if a > 1 b := 1"}, "Line 1/10: Need \"then\" here"},
        {{"repeat i := 1 x"}, "Line 1/15: Need \";\" or \"until\" here"},
        {{"while i < 3 i := 1"}, "Line 1/13: Need \"do\" here"},
        {{"for i := 1 do x := 1"}, "Line 1/12: Need \"to\" here"},
        {{"for i := 1 to 3 x := 1"}, "Line 1/17: Need \"do\" here"},
        {{"begin", "  goto x", "end"}, "Line 2/8: \"goto\" label must be a number"},
        {{"x 1"}, "Line 1/3: Need \":=\" here"},
        {{"a := (1 + 2 x"}, "Line 1/13: Need \")\" here"},
        {{"a := [x"}, "Line 2/0: Need \"]\" here"},
        {{"a := f(1 x)"}, "Line 1/10: Need \",\" or \")\" here"},
        {{"a := )"}, "Line 1/6: Need an expression here"},
        // positions count the comments that were cut
        {{"{ long comment } x 1"}, "Line 1/20: Need \":=\" here"},
        {{"begin a := 1; // note", "b 2 end"}, "Line 2/3: Need \":=\" here"},
    };
    for (const Case& c : cases) {
        const Compiled result = compile(c.source);
        ASSERT_EQ(result.errors.size(), 1u) << c.source[0];
        EXPECT_EQ(result.errors[0], c.error) << c.source[0];
    }
}

TEST(ScriptCompiler, MissingLabelIsAnErrorAndJumpsToTheEnd) {
    const Compiled c = compile({"begin a := 1; goto 99; b := 2 end"});
    EXPECT_EQ(c.errors, (Lines{"Line 1/20: Undefined label 99"}));
    EXPECT_EQ(layout(c.lines), (Lines{"SET a", "JMP 3", "SET b"}));
}

std::string labelledScript(int labels) {
    std::string text = "begin";
    for (int i = 1; i <= labels; ++i)
        text += " " + std::to_string(i) + ": a := 1;";
    return text + " goto 1 end";
}

TEST(ScriptCompiler, LabelTableHolds101Labels) {
    EXPECT_TRUE(compile({labelledScript(101)}).errors.empty());
    const Compiled c = compile({labelledScript(102)});
    ASSERT_EQ(c.errors.size(), 1u);
    EXPECT_NE(c.errors[0].find("Too many labels"), std::string::npos);
    // repeating a label does not use another entry
    EXPECT_TRUE(compile({"begin 1: 1: 1: a := 1 end"}).errors.empty());
}

TEST(ScriptCompiler, BufferHolds32000Bytes) {
    // 31999 bytes and the line's carriage return fit
    EXPECT_TRUE(compile({"a := 1" + std::string(31999 - 6, ' ')}).errors.empty());
    const Compiled c = compile({"a := 1" + std::string(31993, ' '), "b"});
    EXPECT_EQ(c.errors, (Lines{"Line 2/1: Script is longer than 32000 characters"}));
    EXPECT_TRUE(c.lines.empty());
    StringList big(1000, std::string(39, 'x'));
    EXPECT_EQ(compile(big).errors.size(), 1u);
}

TEST(ScriptCompiler, DeepNestingIsAnErrorNotACrash) {
    auto nested = [](const char* opening, int count, const std::string& rest) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += opening;
        return compile({text + rest});
    };
    for (const Compiled& c :
         {nested("if 1 then ", 3000, "a := 1"), nested("begin ", 5000, "a := 1"),
          nested("(", 15000, "1"), nested("-", 15000, "1"), nested("f(", 10000, "1")}) {
        ASSERT_EQ(c.errors.size(), 1u);
        EXPECT_NE(c.errors[0].find("nested too deeply"), std::string::npos) << c.errors[0];
    }
    // 10,000 nested IFs do not fit into the buffer
    EXPECT_NE(nested("if 1 then ", 10000, "a := 1").errors.at(0).find("longer"), std::string::npos);
    // long flat statements are fine, also as one token without blanks
    std::string sum = "a:=1";
    for (int i = 0; i < 15000; ++i)
        sum += "+1";
    const Compiled flat = compile({sum});
    EXPECT_TRUE(flat.errors.empty());
    EXPECT_EQ(flat.lines.size(), 1u);
}

TEST(ScriptCompiler, UnbalancedBlocks) {
    EXPECT_EQ(compile({"begin begin a := 1 end"}).errors,
              (Lines{"Line 2/0: Need \";\" or \"end\" here"}));
    EXPECT_TRUE(compile({"end"}).lines.empty());
    EXPECT_EQ(compile({"begin until end"}).errors.size(), 1u);
    EXPECT_EQ(compile({"repeat a := 1"}).errors.size(), 1u);
}

TEST(ScriptCompiler, SourceAndTargetMayBeOneList) {
    StringList script{"begin a := 2;", "b := a end"};
    StringList errors{"old"};
    TvlInterpretator(ScriptGlobals()).CompileScript(script, script, errors);
    EXPECT_EQ(script, (Lines{"a 2 ", "b a "}));
    EXPECT_TRUE(errors.empty());
}

// Every byte in every position a statement offers; compiling must end in
// lines or one error line, and every jump must stay inside the script.
TEST(ScriptCompiler, ArbitraryBytesNeverBreakTheCompiler) {
    const std::string frames[] = {"%",
                                  "begin a := %; b := 1 end",
                                  "if % then a := 1",
                                  "a := f(%)",
                                  "a := [%]",
                                  "'%",
                                  "{%",
                                  "a[%] := 1"};
    std::mt19937 random(7);
    for (int b = 0; b < 256; ++b) {
        for (const std::string& frame : frames) {
            std::string text = frame;
            text.replace(text.find('%'), 1, std::string(1, static_cast<char>(b)));
            const Compiled c = compile({text});
            EXPECT_LE(c.errors.size(), 1u);
        }
    }
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 60, ' ');
        for (char& ch : text)
            ch = static_cast<char>(random() % 256);
        const Compiled c = compile({text, "end"});
        EXPECT_LE(c.errors.size(), 1u);
        if (!c.errors.empty()) continue;
        for (const std::string& line : c.lines) {
            const auto kind = compiled::KindOf(line);
            if (kind == compiled::Kind::Jump || kind == compiled::Kind::ConditionalJump) {
                EXPECT_LE(compiled::TargetOf(line), c.lines.size());
            }
        }
    }
}

} // namespace
} // namespace vl
