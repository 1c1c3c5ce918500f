#include "engine/script/TvlParser.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"
#include "engine/script/ExpressionScan.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace vl;

namespace {

// Postfix text with operator bytes shown as <n>.
std::string readable(const std::string& postfix) {
    std::string s;
    for (const char c : postfix) {
        if (static_cast<unsigned char>(c) < 32)
            s += "<" + std::to_string(c) + ">";
        else
            s.push_back(c);
    }
    return s;
}

struct Call {
    std::string name, p1, p2, p3;
};

// A parser whose lookup answers from a table and records what it was asked.
class TvlParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        Globals().localeService().select("en_US");
        parser.OnGetValue = [this](std::string_view name, Variant& value) {
            asked.emplace_back(name);
            if (const auto it = values.find(std::string(name)); it != values.end())
                value = it->second;
        };
        parser.OnCallFunction = [this](std::string_view name, const Variant& p1, const Variant& p2,
                                       const Variant& p3, Variant& val) {
            calls.push_back({std::string(name), p1.toString(), p2.toString(), p3.toString()});
            val = Variant("called");
        };
    }

    Variant eval(const std::string& expression) { return parser.Evaluate(expression); }

    TvlParser parser{Globals().localeService()};
    std::map<std::string, Variant> values;
    std::vector<std::string> asked;
    std::vector<Call> calls;
};

} // namespace

TEST(ExpressionScanTest, ReadIdentifierStopsAtDelimitersOutsideDoubleQuotes) {
    std::size_t pos = 0;
    EXPECT_EQ(ReadIdentifier("  Memo1.Visible+1", pos), "Memo1.Visible");
    EXPECT_EQ(pos, 15u);
    pos = 0;
    EXPECT_EQ(ReadIdentifier("Table.\"First Name\" = 1", pos), "Table.\"First Name\"");
    pos = 0;
    EXPECT_EQ(ReadIdentifier("a,b:c]d[1]", pos), "a,b:c]d");
    pos = 0;
    EXPECT_EQ(ReadIdentifier("   ", pos), "");
    EXPECT_EQ(pos, 3u);
}

TEST(ExpressionScanTest, QuotedStringsAndBrackets) {
    std::size_t pos = 2;
    EXPECT_EQ(ReadQuotedString("x 'It''s' y", pos), "'It''s'");
    EXPECT_EQ(pos, 9u);
    pos = 0;
    EXPECT_EQ(ReadQuotedString("'open", pos), "'open");
    EXPECT_EQ(pos, 5u);

    std::size_t start = 0, end = 0;
    EXPECT_EQ(ReadBracketed("x + [a[b]c] + 1", start, end), "a[b]c");
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(end, 10u);
    start = 0;
    EXPECT_EQ(ReadBracketed("[a ']' \"]\" b]", start, end), "a ']' \"]\" b");
    start = 0;
    EXPECT_EQ(ReadBracketed("[unclosed", start, end), "unclosed");
    EXPECT_EQ(end, 9u);
    start = 0;
    EXPECT_EQ(ReadBracketed("none", start, end), "");
    start = 10;
    EXPECT_EQ(ReadBracketed("[a]", start, end), "");
}

TEST(ExpressionScanTest, SplitArguments) {
    std::string_view a1, a2, a3;
    std::size_t pos = 3;
    SplitArguments("SUM([Price], Band1)+1", pos, a1, a2, a3);
    EXPECT_EQ(a1, "[Price]");
    EXPECT_EQ(a2, " Band1");
    EXPECT_EQ(a3, "");
    EXPECT_EQ(pos, 19u);
    pos = 1;
    SplitArguments("F(',(', G(1, 2), 3)", pos, a1, a2, a3);
    EXPECT_EQ(a1, "',('");
    EXPECT_EQ(a2, " G(1, 2)");
    EXPECT_EQ(a3, " 3");
    pos = 1;
    SplitArguments("F(a,b,c,d)", pos, a1, a2, a3); // a further comma overwrites the second
    EXPECT_EQ(a1, "a");
    EXPECT_EQ(a2, "c");
    EXPECT_EQ(a3, "");
    pos = 1;
    EXPECT_THROW(SplitArguments("F(a, (b)", pos, a1, a2, a3), ParserError);
}

TEST(ExpressionScanTest, OperatorPriorities) {
    EXPECT_EQ(OperatorPriority(op::Int), 0);
    EXPECT_EQ(OperatorPriority(op::And), OperatorPriority('*'));
    EXPECT_EQ(OperatorPriority(op::Not), 1);
    EXPECT_EQ(OperatorPriority(op::Negate), 2);
    EXPECT_EQ(OperatorPriority(op::NotEqual), 3);
    EXPECT_EQ(OperatorPriority(')'), 4);
    EXPECT_EQ(OperatorPriority('('), 5);
}

TEST_F(TvlParserTest, PostfixEncoding) {
    EXPECT_EQ(readable(TvlParser::ToPostfix("2+3*4")), "2 3 4 *+");
    EXPECT_EQ(readable(TvlParser::ToPostfix("10-4-3")), "10 4 -3 -");
    EXPECT_EQ(readable(TvlParser::ToPostfix("a >= b")), "a b <1>");
    EXPECT_EQ(readable(TvlParser::ToPostfix("a<>b")), "a b <3>");
    EXPECT_EQ(readable(TvlParser::ToPostfix("-x")), "x <9>");
    EXPECT_EQ(readable(TvlParser::ToPostfix("INT(2.7)")), "2.7 <6>");
    EXPECT_EQ(readable(TvlParser::ToPostfix("7 mod 2")), "7 2 <13>");
    EXPECT_EQ(readable(TvlParser::ToPostfix("SUM([Price], Band1)+1")), "SUM([Price], Band1)1 +");
    EXPECT_EQ(readable(TvlParser::ToPostfix("'a b' + [x y]")), "'a b' [x y] +");
    EXPECT_EQ(readable(TvlParser::ToPostfix("a[i + 1]\r+1; rest")), "a[i + 1] 1 +");
    EXPECT_EQ(readable(TvlParser::ToPostfix("a = 1 or b = 2")), "a 1 b <4>=2 =");
}

TEST_F(TvlParserTest, Arithmetic) {
    EXPECT_TRUE(eval("2+3*4").identical(Variant(14.0)));
    EXPECT_TRUE(eval("(2+3)*4").identical(Variant(20.0)));
    EXPECT_TRUE(eval("10-4-3").identical(Variant(3.0)));
    EXPECT_TRUE(eval("5/0").identical(Variant(0)));
    EXPECT_TRUE(eval("1,5+1").identical(Variant(2.5)));
    EXPECT_TRUE(eval("7 mod 3").identical(Variant(1)));
    EXPECT_TRUE(eval("'It''s'").identical(Variant("It's")));
    EXPECT_TRUE(eval("'a' + 'b'").identical(Variant("ab")));
    EXPECT_TRUE(eval("1+1; anything (").identical(Variant(2.0)));
    EXPECT_TRUE(eval("").identical(Variant(0)));
    Globals().localeService().select("de_DE");
    EXPECT_TRUE(eval("1.5+1").identical(Variant(2.5)));
}

TEST_F(TvlParserTest, PrefixOperatorsAndRounding) {
    EXPECT_TRUE(eval("INT 2.7").identical(Variant(2.0)));
    EXPECT_TRUE(eval("INT(-2.7)").identical(Variant(-2.0)));
    EXPECT_TRUE(eval("INT 2.99999999999").identical(Variant(3.0)));
    EXPECT_TRUE(eval("FRAC 2.25").identical(Variant(0.25)));
    EXPECT_TRUE(eval("FRAC 2.99999999999").identical(Variant(0.0)));
    EXPECT_TRUE(eval("ROUND(2.5)").identical(Variant(2.0)));
    EXPECT_TRUE(eval("ROUND(3.5)").identical(Variant(4.0)));
    EXPECT_TRUE(eval("STR 5").identical(Variant("5")));
    EXPECT_TRUE(eval("STR [nothing]").identical(Variant("")));
}

TEST_F(TvlParserTest, ComparisonsAndLogic) {
    EXPECT_TRUE(eval("3 > 2").identical(Variant(1)));
    EXPECT_TRUE(eval("2 >= 3").identical(Variant(0)));
    EXPECT_TRUE(eval("'a' <> 'b'").identical(Variant(1)));
    EXPECT_TRUE(eval("NOT 0").identical(Variant(1)));
    EXPECT_TRUE(eval("NOT 5").identical(Variant(0)));
    EXPECT_TRUE(eval("(1 = 1) and (2 = 2)").identical(Variant(1)));
    // AND binds like '*': 1 = (1 and 2) = 2
    EXPECT_TRUE(eval("1 = 1 and 2 = 2").identical(Variant(0)));
    EXPECT_TRUE(eval("true").identical(Variant(true)));
    EXPECT_TRUE(eval("False").identical(Variant(false)));
}

TEST_F(TvlParserTest, NamesReachTheLookup) {
    values["MEMO1.VISIBLE"] = Variant(true);
    values["Memo1.Visible"] = Variant(7);
    EXPECT_TRUE(eval("Memo1.Visible").identical(Variant(true)));
    EXPECT_TRUE(eval("[Memo1.Visible]").identical(Variant(7)));
    EXPECT_TRUE(eval("[No such] + 1").isNull());
    EXPECT_EQ(asked.back(), "No such");

    TvlParser bare{Globals().localeService()};
    EXPECT_TRUE(bare.Evaluate("X").isNull());
    EXPECT_TRUE(bare.Evaluate("F(1)").isNull());
}

TEST_F(TvlParserTest, IfCopyAndDates) {
    EXPECT_TRUE(eval("IF(1, 'yes', [Missing])").identical(Variant("yes")));
    EXPECT_TRUE(std::find(asked.begin(), asked.end(), "Missing") == asked.end());
    EXPECT_TRUE(eval("IF(0.5, 1, 'no')").identical(Variant("no")));
    EXPECT_TRUE(eval("IF(3 > 2, 2 * 3, 0)").identical(Variant(6.0)));
    EXPECT_THROW(eval("IF(TRUE, 1, 2)"), ConversionError);
    EXPECT_THROW(eval("IF([Null], 1, 2)"), ConversionError);
    EXPECT_TRUE(eval("COPY('abcdef', 2, 3)").identical(Variant("bcd")));
    EXPECT_TRUE(eval("COPY('abc', 0, 99)").identical(Variant("abc")));
    EXPECT_TRUE(eval("COPY('abc', 5, 1)").identical(Variant("")));
    EXPECT_THROW(eval("COPY('abc', 'x', 1)"), ConversionError);
    EXPECT_TRUE(eval("STRTODATE('3/15/2024')").identical(Variant::dateTime(45366)));
    EXPECT_TRUE(eval("STRTOTIME('6:00 PM')").identical(Variant::dateTime(0.75)));
    EXPECT_THROW(eval("STRTODATE('soon')"), ConversionError);
    EXPECT_TRUE(calls.empty());
}

TEST_F(TvlParserTest, OtherCallsGetRawArguments) {
    EXPECT_TRUE(eval("sum([Price], Band1)").identical(Variant("called")));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, "SUM");
    EXPECT_EQ(calls[0].p1, "[Price]");
    EXPECT_EQ(calls[0].p2, " Band1");
    EXPECT_EQ(calls[0].p3, "");
    eval("a[2]");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].name, "GETARRAY");
    EXPECT_EQ(calls[1].p1, "a");
    EXPECT_EQ(calls[1].p2, " 2");

    parser.OnCallFunction = [](std::string_view, const Variant&, const Variant&, const Variant&,
                               Variant&) { throw VlError("from callback"); };
    EXPECT_THROW(eval("F(1)"), VlError);
}

TEST_F(TvlParserTest, MalformedInputGivesErrors) {
    EXPECT_THROW(eval("(1+2"), ParserError);
    EXPECT_THROW(eval("F(1, 2"), ParserError);
    EXPECT_THROW(eval("-"), ParserError);
    EXPECT_THROW(eval("2 * -3"), ParserError);
    EXPECT_THROW(eval("1 +"), ParserError);
    EXPECT_TRUE(eval("'open").identical(Variant("open")));
    EXPECT_THROW(eval("1.2.3"), ConversionError);
    EXPECT_THROW(parser.EvalPostfix("+"), ParserError);
    EXPECT_THROW(parser.EvalPostfix(std::string(1, op::Not)), ParserError);
    EXPECT_THROW(parser.EvalPostfix(")"), ParserError);

    std::string nested40 = std::string(40, '(') + "1" + std::string(40, ')');
    EXPECT_TRUE(eval(nested40).identical(Variant(1.0)));

    std::string sum1000 = "1";
    for (int i = 1; i < 1000; ++i)
        sum1000 += "+1";
    EXPECT_TRUE(eval(sum1000).identical(Variant(1000.0)));
    // 1+(1+(1+...)) keeps every operand pending: more than 32 cannot be held
    std::string deep = "1";
    for (int i = 1; i < 1000; ++i)
        deep = "1+(" + deep + ")";
    EXPECT_THROW(eval(deep), ParserError);
    std::string spaced;
    for (int i = 0; i < 1000; ++i)
        spaced += "1 ";
    EXPECT_THROW(eval(spaced), ParserError);

    std::string ifs = "1";
    for (int i = 0; i < 2000; ++i)
        ifs = "IF(1, " + ifs + ", 0)";
    EXPECT_THROW(eval(ifs), ParserError);
}

TEST_F(TvlParserTest, AnyBytesGiveAValueOrAnError) {
    values["A"] = Variant(2);
    values["B"] = Variant("text");
    auto tryEval = [&](const std::string& text) {
        try {
            eval(text);
        } catch (const VlError&) {
        }
    };
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        tryEval(one);
        tryEval("a" + one + "b");
        tryEval("1" + one);
        tryEval("'" + one);
        tryEval("[" + one);
        tryEval("F(" + one);
        try {
            parser.EvalPostfix(one + one + "1 " + one);
        } catch (const VlError&) {
        }
    }
    const std::string alphabet = "()[]'\"+-*/<>=;%,. 0123456789abAB\t\r\n\x01\x05\x0d\x80\xff"
                                 "INTORMODIFCOPY";
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 24) + 1;
        for (int i = 0; i < length; ++i)
            text.push_back(round % 4 == 0 ? static_cast<char>(random() % 256)
                                          : alphabet[random() % alphabet.size()]);
        tryEval(text);
        try {
            parser.EvalPostfix(text);
        } catch (const VlError&) {
        }
    }
}
