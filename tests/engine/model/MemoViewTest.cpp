#include "ViewTestSupport.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/DisplayFormat.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"
#include "engine/script/Stream.h"
#include "tests/support/ThreadEngine.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

const std::string kMark(1, kParagraphMark);

// A report that evaluates brackets by the display-format rules against a
// table of values.
class MemoHost : public FakeHost {
public:
    bool beforePrintHandler = false;
    bool firstOfTwo = false;
    StringList replacement; // what the before-print handler puts in

    Variant evaluate(std::string_view expression) override {
        if (expression == "bad") throw ParserError("bad expression");
        return FakeHost::evaluate(expression);
    }
    std::string expandBracket(std::string_view text, TvlView& view) override {
        const auto* memo = dynamic_cast<const TvlMemoView*>(&view);
        const bool hide = memo && memo->hasFlag(TvlMemoView::mfHideZeros);
        return EvaluateBracket(
            text, {view.Format, view.FormatStr}, hide,
            [this](std::string_view e) { return evaluate(e); },
            view.engineModel().script().localeService());
    }
    void beforeObjectOutput(TvlView& view) override {
        FakeHost::beforeObjectOutput(view);
        if (!replacement.empty()) view.EvaluatedText = replacement;
    }
    bool hasBeforePrintHandler() const override { return beforePrintHandler; }
    bool isFirstOfTwoPasses() const override { return firstOfTwo; }
};

struct ExportedLine {
    int x, y;
    std::string text;
    std::uint16_t sides;
};

class RecordingFilter : public TvlExportFilter {
public:
    int objects = 0;
    std::vector<ExportedLine> lines;
    void addObject(TvlView&, int, int) override { ++objects; }
    void addTextLine(TvlView&, int x, int y, std::string_view text, std::uint16_t sides) override {
        lines.push_back({x, y, std::string(text), sides});
    }
};

class MemoViewTest : public ::testing::Test {
protected:
    ViewStateGuard guard;
    MemoHost host;
    TvlMemoView memo;

    void SetUp() override {
        Globals().localeService().select("en_US");
        ViewState().host = &host;
        memo.Name = "Memo1";
        memo.SetBounds(10, 20, 300, 100);
        memo.WriteMode = wmPrepared;
    }
    // The prepared record written by WritePrepared, read back.
    std::unique_ptr<TvlMemoView> writeAndRead() {
        MemoryStream stream;
        memo.WritePrepared(stream);
        if (stream.size() == 0) return nullptr;
        stream.seek(0);
        EXPECT_EQ(ReadByte(stream), otMemo);
        auto copy = std::make_unique<TvlMemoView>();
        copy->WriteMode = wmPrepared;
        copy->LoadFromStream(stream);
        EXPECT_EQ(stream.position(), stream.size());
        return copy;
    }
};

TEST_F(MemoViewTest, DefaultsAndFactory) {
    auto view = CreateObject(ModelGlobals(), otMemo);
    auto* m = dynamic_cast<TvlMemoView*>(view.get());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->className(), "TvlMemoView");
    EXPECT_EQ(m->Typ, otMemo);
    EXPECT_EQ(m->BaseName, "Memo");
    EXPECT_EQ(m->Font, (TvlFont{"Arial", 10, 0, clBlack, 1}));
    EXPECT_EQ(m->Flags, flStretched | TvlMemoView::mfWordWrap);
    EXPECT_EQ(m->HighlightStyle, 2);
    EXPECT_EQ(m->HighlightFontColor, clBlack);
    EXPECT_EQ(m->HighlightFillColor, clWhite);
    EXPECT_EQ(m->LineSpacing, 2);
    EXPECT_EQ(m->CharSpacing, 0);
    EXPECT_EQ(m->Alignment, 0);
    EXPECT_EQ(m->OutputPass, opFull);
}

TEST_F(MemoViewTest, PropertiesByName) {
    memo.SetProperty("Font.Size", 12);
    memo.SetProperty("font.style", 3);
    memo.SetProperty("ALIGNMENT", TvlMemoView::vltaCenter | TvlMemoView::vltaMiddle);
    memo.SetProperty("LineSpacing", 5);
    memo.SetProperty("CharSpacing", "1");
    EXPECT_EQ(memo.Font.size, 12);
    EXPECT_EQ(memo.GetProperty("FONT.STYLE").toInt(), 3);
    EXPECT_EQ(memo.GetProperty("Alignment").toInt(), 10);
    EXPECT_EQ(memo.GetProperty("LINESPACING").toInt(), 5);
    EXPECT_EQ(memo.CharSpacing, 1);
    // Absurd spacings, from scripts or damaged files, are held within range.
    memo.SetProperty("LineSpacing", 1836411249);
    memo.SetProperty("CharSpacing", -2000000000);
    EXPECT_EQ(memo.LineSpacing, 65536);
    EXPECT_EQ(memo.CharSpacing, -65536);

    memo.Flags = 0;
    memo.SetProperty("WordBreak", true);
    EXPECT_EQ(memo.Flags, TvlMemoView::mfWordBreak);
    memo.SetProperty("RTLReading", true);
    memo.SetProperty("WordBreak", false);
    EXPECT_EQ(memo.Flags, TvlMemoView::mfRTLReading);
    EXPECT_TRUE(memo.GetProperty("rtlreading").toBool());
    EXPECT_FALSE(memo.GetProperty("Suppress").toBool());
    memo.SetProperty("Stretched", true);
    EXPECT_EQ(memo.Flags, TvlMemoView::mfRTLReading | flStretched);

    memo.Memo = {"a", "b"};
    EXPECT_EQ(memo.GetProperty("Lines.Count").toInt(), 2);
    memo.SetProperty("Lines.Count", 7); // read only
    EXPECT_EQ(memo.Memo.size(), 2u);
    EXPECT_TRUE(memo.GetProperty("Nonsense").isNull());
    EXPECT_EQ(memo.GetProperty("Left").toInt(), 10); // the view's own
    EXPECT_THROW(memo.SetProperty("LineSpacing", "wide"), ConversionError);
}

TEST_F(MemoViewTest, LinesMethods) {
    memo.Memo.clear();
    memo.CallMethod("LINES.ADD", "first", {}, {});
    memo.CallMethod("LINES.ADD", "second", {}, {});
    EXPECT_EQ(memo.Memo, (StringList{"first", "second"}));
    EXPECT_EQ(memo.CallMethod("LINES.INDEXOF", "SECOND", {}, {}).toInt(), 1);
    EXPECT_EQ(memo.CallMethod("GETINDEXPROPERTY", "LINES", 0, {}).toString(), "first");
    EXPECT_EQ(memo.CallMethod("GETINDEXPROPERTY", "MEMO", 1, {}).toString(), "second");
    memo.CallMethod("LINES.CLEAR", {}, {}, {});
    EXPECT_TRUE(memo.Memo.empty());
    memo.Memo = {"x"};
    EXPECT_EQ(memo.CallMethod("CALCHEIGHT", {}, {}, {}).toInt(), 2 * memo.GapY + 15);
}

TEST_F(MemoViewTest, ExpandMemoEvaluatesBrackets) {
    host.values["Price"] = Variant(1234.5);
    host.values["Two"] = Variant("a b\r\nc");
    host.values["Zero"] = Variant(0);
    memo.Memo = {"Total: [Price #N10,2]", "", "[Two]", "Bob's [Zero]", "['[x]' + [Zero]]"};
    memo.ExpandMemo();
    EXPECT_EQ(memo.EvaluatedText,
              (StringList{"Total: 1234,50", "", "a b", "c", "Bob's 0", "'[x]' + [Zero]"}));
    memo.Flags |= TvlMemoView::mfHideZeros;
    memo.Memo = {"[Zero]"};
    memo.ExpandMemo();
    EXPECT_EQ(memo.EvaluatedText, StringList{""});
    memo.Flags |= TvlMemoView::mfTextOnly;
    memo.Memo = {"[Price]"};
    memo.ExpandMemo();
    EXPECT_EQ(memo.EvaluatedText, StringList{"[Price]"});
}

TEST_F(MemoViewTest, TemplateRecordRoundTrip) {
    memo.WriteMode = wmTemplate;
    memo.Font = {"Courier New", 14, 5, RgbColor(1, 2, 3), 204};
    memo.Alignment = TvlMemoView::vltaJustify | TvlMemoView::vltaDown;
    memo.HighlightStyle = 1;
    memo.HighlightFontColor = RgbColor(200, 0, 0);
    memo.HighlightFillColor = RgbColor(0, 0, 90);
    memo.HighlightCondition = "[Price] > 100";
    memo.LineSpacing = 7;
    memo.CharSpacing = -1;
    memo.Memo = {"[Price]"};
    MemoryStream m;
    memo.SaveToStream(m);
    m.seek(0);
    TvlMemoView copy;
    copy.LoadFromStream(m);
    EXPECT_EQ(m.position(), m.size());
    EXPECT_EQ(copy.Font, memo.Font);
    EXPECT_EQ(copy.Alignment, memo.Alignment);
    EXPECT_EQ(copy.HighlightStyle, 1);
    EXPECT_EQ(copy.HighlightFontColor, memo.HighlightFontColor);
    EXPECT_EQ(copy.HighlightFillColor, memo.HighlightFillColor);
    EXPECT_EQ(copy.HighlightCondition, memo.HighlightCondition);
    EXPECT_EQ(copy.LineSpacing, 7);
    EXPECT_EQ(copy.CharSpacing, -1);
    EXPECT_EQ(copy.Memo, memo.Memo);
}

TEST_F(MemoViewTest, PreparedRecordHasNoHighlight) {
    memo.EvaluatedText = {"one", "two" + kMark};
    memo.HighlightCondition = "cond";
    MemoryStream prepared;
    memo.SaveToStream(prepared);
    memo.WriteMode = wmTemplate;
    MemoryStream templ;
    memo.SaveToStream(templ);
    // The template also holds format, Memo, Script and Visible.
    EXPECT_GT(templ.size(), prepared.size() + 2 + 4 + 4 + 2 + 4);
    prepared.seek(0);
    TvlMemoView copy;
    copy.WriteMode = wmPrepared;
    copy.LoadFromStream(prepared);
    EXPECT_EQ(prepared.position(), prepared.size());
    EXPECT_EQ(copy.Memo, memo.EvaluatedText);
    EXPECT_EQ(copy.HighlightCondition, "");
}

// Records of older stream versions, byte by byte: strings end in a zero
// byte, lists are lines ending in CR with a zero byte after the last.
class OldRecord {
public:
    OldRecord& u16(int v) { return raw({v & 0xFF, (v >> 8) & 0xFF}); }
    OldRecord& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        return raw({static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                    static_cast<int>((u >> 16) & 0xFF), static_cast<int>(u >> 24)});
    }
    OldRecord& str(const std::string& s) {
        for (char c : s)
            data_.push_back(static_cast<std::uint8_t>(c));
        return raw({0});
    }
    OldRecord& list(const StringList& lines) {
        for (const auto& line : lines) {
            for (char c : line)
                data_.push_back(static_cast<std::uint8_t>(c));
            raw({13});
        }
        return raw({0});
    }
    MemoryStream stream() const { return MemoryStream(data_); }

private:
    OldRecord& raw(std::initializer_list<int> bytes) {
        for (int b : bytes)
            data_.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    std::vector<std::uint8_t> data_;
};

// A version 21/22 template record: no name, record version, script,
// restrictions, tag, gaps or spacings.
OldRecord OldTemplateRecord(std::uint16_t flags, bool withScript) {
    OldRecord r;
    r.i32(5).i32(6).i32(70).i32(30).u16(flags).u16(0).i32(1).i32(0).u16(0).i32(clNone);
    r.i32(0).str("").list({"[Name]"});
    if (withScript) r.list({}).u16(0xFFFF);
    r.str("Times New Roman").i32(12).u16(2).i32(0xFF).i32(2).u16(204);
    r.u16(1).i32(0xFF0000).i32(0xFFFFFF).str("[X] > 1");
    return r;
}

TEST_F(MemoViewTest, OldVersionsIgnoreCharsetAndSpacingAndVersion21Wraps) {
    for (int version : {21, 22}) {
        ViewState().templateVersion = version;
        MemoryStream s = OldTemplateRecord(flStretched, false).stream();
        TvlMemoView copy;
        copy.LineSpacing = 9;
        copy.LoadFromStream(s);
        EXPECT_EQ(s.position(), s.size()) << version;
        EXPECT_EQ(copy.Memo, StringList{"[Name]"});
        EXPECT_EQ(copy.Font.name, "Times New Roman");
        EXPECT_EQ(copy.Font.charset, 1) << "old records keep the default character set";
        EXPECT_EQ(copy.Alignment, 2);
        EXPECT_EQ(copy.HighlightCondition, "[X] > 1");
        EXPECT_EQ(copy.LineSpacing, 9) << "no spacing before version 24";
        EXPECT_EQ(copy.hasFlag(TvlMemoView::mfWordWrap), version == 21) << version;
    }
}

TEST_F(MemoViewTest, Version23ReadsCharsetButNoSpacing) {
    ViewState().templateVersion = 23;
    MemoryStream m;
    WriteString(m, "Old1");
    for (std::int32_t v : {5, 6, 70, 30})
        WriteInteger(m, v);
    WriteUWord(m, flStretched);
    WriteUWord(m, 0);
    WriteInteger(m, 1);
    WriteInteger(m, 0);
    WriteUWord(m, 0);
    WriteInteger(m, clNone);
    WriteInteger(m, 0);
    WriteString(m, "");
    WriteStrings(m, {"[Name]"});
    WriteStrings(m, {"script"});
    WriteUWord(m, 0xFFFF);
    WriteString(m, "Arial");
    WriteInteger(m, 9);
    WriteUWord(m, 4);
    WriteInteger(m, 0);
    WriteInteger(m, 1);
    WriteUWord(m, 204);
    WriteUWord(m, 2);
    WriteInteger(m, 0);
    WriteInteger(m, 0xFFFFFF);
    WriteString(m, "");
    m.seek(0);
    TvlMemoView copy;
    copy.LoadFromStream(m);
    EXPECT_EQ(m.position(), m.size());
    EXPECT_EQ(copy.Name, "Old1");
    EXPECT_EQ(copy.Font.charset, 204);
    EXPECT_EQ(copy.Font.size, 9);
    EXPECT_EQ(copy.LineSpacing, 2);
    EXPECT_FALSE(copy.hasFlag(TvlMemoView::mfWordWrap));

    // Version 24 reads what this engine writes.
    ViewState().templateVersion = 25;
    memo.WriteMode = wmTemplate;
    memo.LineSpacing = 4;
    MemoryStream current;
    memo.SaveToStream(current);
    ViewState().templateVersion = 24;
    current.seek(0);
    TvlMemoView v24;
    v24.LoadFromStream(current);
    EXPECT_EQ(current.position(), current.size());
    EXPECT_EQ(v24.LineSpacing, 4);
}

TEST_F(MemoViewTest, XmlAttributes) {
    memo.WriteMode = wmTemplate;
    memo.Flags = TvlMemoView::mfSuppress | TvlMemoView::mfTextOnly | TvlMemoView::mfUnderlines;
    memo.Font.style = 1 | 2; // italic, bold
    memo.Alignment = TvlMemoView::vltaCenter | TvlMemoView::vltaVertical | TvlMemoView::vltaMiddle;
    memo.HighlightCondition = "[A] > \"1\"";
    MemoryStream m;
    memo.WriteXml(m);
    const std::string xml(m.data().begin(), m.data().end());
    for (const char* expected :
         {" WordWrap=\"False\"", " SuppressRepeated=\"True\"", " Underlines=\"True\"",
          " AllowExpressions=\"False\"", " Font.Name=\"Arial\"", " Font.Height=\"-13\"",
          " Font.Style=\"3\"", " Highlight.Condition=\"[A] &#62; &#34;1&#34;\"",
          " Highlight.Font.Style=\"2\"", " Highlight.Color=\"16777215\"", " LineSpacing=\"2\"",
          " HAlign=\"2\"", " VAlign=\"1\"", " Rotation=\"90\""})
        EXPECT_NE(xml.find(expected), std::string::npos) << expected << "\n" << xml;
    for (const char* absent : {"StretchMode", "AutoWidth", "HideZeros", "RTLReading"})
        EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
}

TEST_F(MemoViewTest, CalcHeightAndLineUnits) {
    memo.Memo = {"one", "two", "three"};
    EXPECT_EQ(memo.CalcHeight(), 2 * memo.GapY + 3 * 15);
    EXPECT_EQ(memo.OutputPass, opMeasured);
    EXPECT_EQ(memo.EvaluatedText, (StringList{"one" + kMark, "two" + kMark, "three" + kMark}));
    memo.Visible = false;
    EXPECT_EQ(memo.CalcHeight(), 0);
    memo.Visible = true;
    memo.Memo.clear();
    EXPECT_EQ(memo.CalcHeight(), 0);

    // Frame 1: nearest(2) = 2; gaps 2 x 1; line 15.
    EXPECT_EQ(memo.MinimumHeight(), 2 + 2 + 15);
    EXPECT_EQ(memo.LineHeight, 15);
    memo.Height = 40;
    EXPECT_EQ(memo.LeftoverHeight(), (40 - 2 - 2) % 15 + 2 + 2);
    memo.LineSpacing = -100; // no division by zero
    EXPECT_GE(memo.LeftoverHeight(), 0);
}

TEST_F(MemoViewTest, SuppressWritesRepeatedTextOnce) {
    memo.Flags |= TvlMemoView::mfSuppress;
    memo.Memo = {"[Same]"};
    host.values["Same"] = Variant("value");
    EXPECT_GT(memo.CalcHeight(), 0);
    EXPECT_NE(writeAndRead(), nullptr);
    EXPECT_EQ(memo.CalcHeight(), 0) << "the repeated value needs no height";
    EXPECT_EQ(writeAndRead(), nullptr) << "the repeated value is not written";
    host.values["Same"] = Variant("other");
    EXPECT_GT(memo.CalcHeight(), 0);
    EXPECT_NE(writeAndRead(), nullptr);
    // Without measuring, the evaluated (unwrapped) text is compared.
    EXPECT_NE(writeAndRead(), nullptr);
    EXPECT_EQ(writeAndRead(), nullptr);
}

TEST_F(MemoViewTest, FirstPassOfTwoRemembersSuppressedText) {
    memo.Flags |= TvlMemoView::mfSuppress;
    memo.Memo = {"x"};
    host.firstOfTwo = true;
    EXPECT_GT(memo.CalcHeight(), 0);
    EXPECT_EQ(memo.CalcHeight(), 0);
}

TEST_F(MemoViewTest, SplitWritesTheLinesThatFitAndKeepsTheRest) {
    memo.Memo = {"first", "second", "third"};
    memo.Height = 100;
    ASSERT_EQ(memo.CalcHeight(), 2 + 3 * 15);
    memo.OutputPass = opPart;
    memo.Height = 40; // room for two lines
    auto page1 = writeAndRead();
    ASSERT_NE(page1, nullptr);
    EXPECT_EQ(page1->Memo, (StringList{"first" + kMark, "second" + kMark}));
    EXPECT_EQ(memo.LinesDone, 2);
    EXPECT_EQ(memo.EvaluatedText, StringList{"third" + kMark});
    EXPECT_EQ(memo.OutputPass, opFull);
    EXPECT_FALSE(memo.SplitMode);

    memo.OutputPass = opPart;
    auto page2 = writeAndRead();
    ASSERT_NE(page2, nullptr);
    EXPECT_EQ(page2->Memo, StringList{"third" + kMark});
    EXPECT_TRUE(memo.EvaluatedText.empty());
}

TEST_F(MemoViewTest, SplitOfWrappedTextMarksThePreparedPart) {
    memo.Memo = {"alpha beta gamma delta epsilon"};
    memo.Width = 60;
    memo.CalcHeight();
    ASSERT_GE(memo.EvaluatedText.size(), 3u);
    ASSERT_EQ(memo.EvaluatedText.front().find(kParagraphMark), std::string::npos);
    memo.OutputPass = opPart;
    memo.Height = 20; // one line
    auto part = writeAndRead();
    ASSERT_NE(part, nullptr);
    ASSERT_EQ(part->Memo.size(), 2u);
    EXPECT_EQ(part->Memo[1], kMark) << "a part without a mark is marked as wrapped";
    // Drawn back, the part keeps its wrapping and drops the mark line.
    ViewState().exportFilter = nullptr;
    QImage image(100, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    part->Draw(TvlDrawContext::at(&painter));
    EXPECT_TRUE(part->PreWrapped);
    EXPECT_EQ(part->LinesDone, 1);
}

TEST_F(MemoViewTest, BeforePrintHandlerTextIsUsedUnexpanded) {
    host.values["A"] = Variant("evaluated");
    memo.Memo = {"[A]"};
    host.beforePrintHandler = true;
    auto out = writeAndRead();
    EXPECT_EQ(out->Memo, StringList{"evaluated"}) << "an unchanged text is expanded";
    host.replacement = {"[A] by handler"};
    out = writeAndRead();
    EXPECT_EQ(out->Memo, StringList{"[A] by handler"});
    EXPECT_EQ(host.hookRuns, 2);
    // Without a handler the hook does not run at output.
    host.beforePrintHandler = false;
    out = writeAndRead();
    EXPECT_EQ(out->Memo, StringList{"evaluated"});
    EXPECT_EQ(host.hookRuns, 2);
}

TEST_F(MemoViewTest, HighlightAppliesToOneOutput) {
    host.values["Cond"] = Variant(1);
    memo.Memo = {"x"};
    memo.HighlightCondition = "Cond";
    memo.HighlightFontColor = RgbColor(255, 0, 0);
    memo.HighlightFillColor = RgbColor(255, 255, 0);
    auto out = writeAndRead();
    EXPECT_EQ(out->Font.style, 2);
    EXPECT_EQ(out->Font.color, RgbColor(255, 0, 0));
    EXPECT_EQ(out->FillColor, RgbColor(255, 255, 0));
    EXPECT_EQ(memo.Font.style, 0) << "restored after the output";
    EXPECT_EQ(memo.FillColor, clNone);

    host.values["Cond"] = Variant(0);
    EXPECT_EQ(writeAndRead()->Font.style, 0);
    memo.HighlightCondition = "bad"; // errors are ignored
    EXPECT_EQ(writeAndRead()->FillColor, clNone);
    host.values["Cond"] = Variant("text"); // does not compare with 0
    memo.HighlightCondition = "Cond";
    EXPECT_EQ(writeAndRead()->FillColor, clNone);
}

TEST_F(MemoViewTest, TagAndBandAlignmentForTheOutput) {
    struct Band : TvlRuntimeBand {
        int bandType() const override { return 19; }
        int left() const override { return 0; }
        int top() const override { return 300; }
        int width() const override { return 77; }
        int height() const override { return 50; }
        void setLeft(int) override {}
        void setTop(int) override {}
        void setWidth(int) override {}
        void setHeight(int) override {}
        bool visible() const override { return true; }
        void setVisible(bool) override {}
        bool pageBreak() const override { return false; }
        void setPageBreak(bool) override {}
        void setGroupCondition(const std::string&) override {}
        void setChildBand(std::string_view) override {}
        void bindDataSource(std::string_view) override {}
        bool hasDataSource() const override { return false; }
        bool dataSourceEof() const override { return true; }
        void dataSourceFirst() override {}
        void dataSourceNext() override {}
        void dataSourcePrior() override {}
    } band;
    ViewState().currentBand = &band;
    host.values["N"] = Variant(2.5);
    memo.Format = TvlDisplayFormat::Word(fcNumber, 1, 2, ',');
    memo.Tag = "[N]";
    memo.Memo = {"[N]"};
    memo.BandAlign = baWidth;
    auto out = writeAndRead();
    EXPECT_EQ(out->Tag, "2.5") << "the tag is expanded without the display format";
    EXPECT_EQ(out->Memo, StringList{"2,50"});
    EXPECT_EQ(out->Width, 77);
    EXPECT_EQ(out->BandAlign, baNone);
    EXPECT_EQ(memo.Tag, "[N]");
    EXPECT_EQ(memo.BandAlign, baWidth);
    memo.BandAlign = baBottom;
    EXPECT_EQ(writeAndRead()->BandAlign, baNone);
    memo.BandAlign = baTop;
    EXPECT_EQ(writeAndRead()->Top, 300);
}

TEST_F(MemoViewTest, ExportHandsOverLinesWithTheirFrameSides) {
    RecordingFilter filter;
    ViewState().exportFilter = &filter;
    memo.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    memo.Memo = {"one" + kMark, "two" + kMark, "three" + kMark};
    memo.ExportToFilter();
    EXPECT_EQ(filter.objects, 1);
    ASSERT_EQ(filter.lines.size(), 3u);
    EXPECT_EQ(filter.lines[0].text, "one");
    EXPECT_EQ(filter.lines[0].sides, vlftLeft | vlftRight | vlftTop);
    EXPECT_EQ(filter.lines[1].sides, vlftLeft | vlftRight);
    EXPECT_EQ(filter.lines[2].sides, vlftLeft | vlftRight | vlftBottom);
    EXPECT_EQ(filter.lines[1].y - filter.lines[0].y, 15);
    EXPECT_FALSE(memo.ExportMode);

    filter.lines.clear();
    memo.Memo = {"single"};
    memo.ExportToFilter();
    ASSERT_EQ(filter.lines.size(), 1u);
    EXPECT_EQ(filter.lines[0].sides, memo.FrameTyp);
    filter.lines.clear();
    memo.Alignment = TvlMemoView::vltaVertical;
    memo.ExportToFilter();
    ASSERT_EQ(filter.lines.size(), 1u);
    EXPECT_EQ(filter.lines[0].sides, 0);
}

TEST_F(MemoViewTest, DesignerShowsTheEndOfALongExpression) {
    RecordingFilter filter;
    ViewState().exportFilter = &filter;
    memo.SetBounds(10, 10, 40, 20);
    memo.ExportMode = true; // the text lines reach the filter
    QImage image(100, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    const TvlDrawContext design = TvlDrawContext::at(&painter, rmDesign);
    memo.Memo = {"[Customer.Name]"};
    memo.Draw(design);
    ASSERT_EQ(filter.lines.size(), 1u);
    EXPECT_LT(filter.lines[0].x, memo.Left + memo.GapX) << "drawn right-aligned";
    filter.lines.clear();
    memo.Memo = {"[A]"};
    memo.Draw(design);
    EXPECT_EQ(filter.lines[0].x, memo.Left + memo.GapX);
    filter.lines.clear();
    memo.Memo = {"[Customer.Name]"};
    memo.ExportToFilter();
    EXPECT_GT(filter.lines.size(), 1u) << "output wraps it like any text";
}

TEST_F(MemoViewTest, AutoWidthFollowsTheText) {
    QImage image(400, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    memo.Flags |= TvlMemoView::mfAutoWidth;
    memo.Memo = {"short" + kMark};
    const int w = memo.CalcWidth();
    EXPECT_GT(w, 2 * memo.GapX);
    EXPECT_LT(w, 80);
    memo.Draw(TvlDrawContext::at(&painter));
    EXPECT_EQ(memo.Width, w);
    EXPECT_EQ(memo.Left, 10);
    memo.Width = 300;
    memo.Alignment = TvlMemoView::vltaRight;
    memo.Draw(TvlDrawContext::at(&painter));
    EXPECT_EQ(memo.Left, 10 + 300 - w) << "right-aligned text keeps its right edge";
    memo.Alignment = TvlMemoView::vltaVertical;
    memo.Draw(TvlDrawContext::at(&painter));
    EXPECT_EQ(memo.Height, w);
    // Text spaced out absurdly is no wider than any page could be.
    memo.Alignment = 0;
    memo.CharSpacing = 65536;
    memo.Memo = {std::string(40000, 'x')};
    EXPECT_EQ(memo.CalcWidth(), 1 << 24);
    memo.Draw(TvlDrawContext::at(&painter));
    EXPECT_EQ(memo.Width, 1 << 24);
}

} // namespace

// Damaged templates can hold any font size; measuring and writing such a memo
// stays within range instead of overflowing.
TEST_F(MemoViewTest, AbsurdFontSizesAreBounded) {
    memo.Memo = {"text"};
    for (const int size : {2'000'000'000, -2'000'000'000, 0}) {
        memo.Font.size = size;
        EXPECT_LE(std::abs(memo.Font.pixelHeight96()), 4096);
        memo.ScaleY = 3;
        EXPECT_GE(memo.CalcHeight(), 0);
        memo.ScaleY = 1;
        EXPECT_NE(writeAndRead(), nullptr);
    }
}
