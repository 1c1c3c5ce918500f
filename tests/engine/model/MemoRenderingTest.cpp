#include "ViewTestSupport.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/EngineText.h"
#include "engine/script/Stream.h"
#include "tests/support/ReferenceImage.h"
#include "tests/support/ThreadEngine.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

using M = TvlMemoView;

const char* const kSentence = "The quick brown fox jumps over the lazy dog.";

struct MemoSpec {
    int left, top, width, height;
    std::int32_t alignment;
    StringList lines;
    std::uint16_t extraFlags = 0;
    bool highlighted = false;
};

// Nine text objects in a 340 x 270 area: the horizontal alignments, the
// vertical positions, rotated, ruled and highlighted text.
std::vector<MemoSpec> Specs() {
    return {
        {5, 5, 105, 80, M::vltaLeft, {kSentence}},
        {115, 5, 105, 80, M::vltaRight, {kSentence}},
        {225, 5, 105, 80, M::vltaCenter, {kSentence}},
        {5, 95, 105, 80, M::vltaJustify, {kSentence, "Last line here is short, also here."}},
        {115, 95, 105, 80, M::vltaCenter | M::vltaMiddle, {"Middle"}},
        {225, 95, 105, 80, M::vltaRight | M::vltaDown, {"Bottom", "right"}},
        {5, 185, 50, 80, M::vltaVertical, {"Rotated", "text"}},
        {60, 185, 135, 80, M::vltaLeft, {"Ruled lines under", "every text line"}, M::mfUnderlines},
        {200, 185, 130, 80, M::vltaCenter | M::vltaMiddle, {"Highlighted"}, 0, true},
    };
}

// Builds each object as a report build would (measure, write the prepared
// record) and draws the prepared record at the scale.
void DrawSet(QPainter& painter, double scale, int offsetX, int offsetY) {
    FakeHost host;
    host.values["Hot"] = Variant(1);
    ViewState().host = &host;
    for (const MemoSpec& spec : Specs()) {
        TvlMemoView memo;
        memo.SetBounds(spec.left, spec.top, spec.width, spec.height);
        memo.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
        memo.FrameColor = RgbColor(120, 120, 120);
        memo.Alignment = spec.alignment;
        memo.Memo = spec.lines;
        memo.Flags |= spec.extraFlags;
        if (spec.extraFlags & M::mfUnderlines) memo.FrameColor = RgbColor(0, 0, 200);
        if (spec.highlighted) {
            memo.HighlightCondition = "Hot";
            memo.HighlightStyle = 2 | 4;
            memo.HighlightFontColor = RgbColor(200, 0, 0);
            memo.HighlightFillColor = RgbColor(255, 240, 120);
        }
        memo.WriteMode = wmPrepared;
        memo.CalcHeight();
        MemoryStream stream;
        memo.WritePrepared(stream);
        stream.seek(0);
        ReadByte(stream);
        TvlMemoView prepared;
        prepared.WriteMode = wmPrepared;
        prepared.LoadFromStream(stream);
        TvlDrawContext context = TvlDrawContext::at(&painter);
        context.scaleX = context.scaleY = scale;
        context.offsetX = offsetX;
        context.offsetY = offsetY;
        prepared.Draw(context);
    }
    ViewState().host = nullptr;
}

QImage RenderMemos() {
    ViewStateGuard guard;
    QImage image(690, 830, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawSet(painter, 1, 0, 0);
    DrawSet(painter, 2, 0, 280);
    return image;
}

// Columns of the image that hold dark (text) pixels between two rows.
std::pair<int, int> InkColumns(const QImage& image, int x0, int x1, int y0, int y1) {
    int first = -1, last = -1;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            if (qGray(image.pixel(x, y)) < 100) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

TEST(MemoRendering, MatchesReference) {
    vltest::ExpectMatchesReference(RenderMemos(), VELLUM_MODEL_REFERENCE_DIR, "memos.png", 600);
}

// Justified lines reach across the object; the last line of a paragraph
// does not.
TEST(MemoRendering, JustifiedLastLinesStayShort) {
    const QImage image = RenderMemos();
    // The justified object: 5,95 105 x 80; text from y 96, lines of 15.
    const int left = 5 + 3, right = 5 + 105 - 3;
    const auto first = InkColumns(image, left, right, 97, 110);
    ASSERT_GE(first.first, 0);
    EXPECT_GE(first.second, right - 6) << "a justified line reaches the right edge";
    // Rows of the paragraphs' last lines: find each line's right end.
    int shortLines = 0;
    for (int line = 0; line < 5; ++line) {
        const int y0 = 96 + line * 15, y1 = y0 + 13;
        const auto ink = InkColumns(image, left, right, y0, y1);
        if (ink.first >= 0 && ink.second < right - 15) ++shortLines;
    }
    EXPECT_GE(shortLines, 1);
}

// One line of text in a 180 x 30 object at 10,5 on a white 200 x 40 image.
QImage DrawOneLine(const char* text, std::int32_t alignment = M::vltaLeft,
                   std::uint16_t flags = 0) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TvlMemoView memo;
    memo.SetBounds(10, 5, 180, 30);
    memo.Alignment = alignment;
    memo.Flags |= flags;
    memo.Memo = {text};
    memo.Draw(TvlDrawContext::at(&painter));
    return image;
}

// Right-to-left reading keeps the line's place: it starts at the left gap.
TEST(MemoRendering, RightToLeftLineKeepsItsPlace) {
    ViewStateGuard guard;
    const QImage ltr = DrawOneLine("Hello, world!");
    const QImage rtl = DrawOneLine("Hello, world!", M::vltaLeft, M::mfRTLReading);
    const auto a = InkColumns(ltr, 0, 200, 0, 40), b = InkColumns(rtl, 0, 200, 0, 40);
    ASSERT_GE(b.first, 0);
    EXPECT_NEAR(b.first, a.first, 2);
    EXPECT_NEAR(b.second, a.second, 4);
    EXPECT_NE(vltest::DifferentPixels(ltr, rtl, 48), 0) << "the reading order moves the '!'";
}

// A Hebrew paragraph starts at the right of a left-aligned object, a
// Latin one at the left; right-aligned, the Hebrew one starts at the left.
TEST(MemoRendering, RightToLeftParagraphsStartAtTheRight) {
    ViewStateGuard guard;
    const ScopedTextEncoding utf8(TextEncoding::Utf8);
    auto ink = [](const char* text, std::int32_t alignment) {
        return InkColumns(DrawOneLine(text, alignment), 0, 200, 0, 40);
    };
    const auto hebrew = ink("\u05E2\u05D1\u05E8\u05D9\u05EA", M::vltaLeft);
    ASSERT_GE(hebrew.first, 0);
    EXPECT_GT(hebrew.first, 100);
    EXPECT_GE(hebrew.second, 180);
    const auto latin = ink("Ivrit", M::vltaLeft);
    EXPECT_LT(latin.first, 20);
    const auto hebrewRight = ink("\u05E2\u05D1\u05E8\u05D9\u05EA", M::vltaRight);
    EXPECT_LT(hebrewRight.first, 20);
}
