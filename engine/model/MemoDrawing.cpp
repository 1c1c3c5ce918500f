// Drawing of text objects on screen, printer and export.
#include "engine/model/MeasuringCanvas.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "engine/script/CodePage.h"
#include "engine/script/EngineText.h"

#include <QPainter>
#include <algorithm>

namespace vl {

struct TvlMemoView::TextPen {
    const TvlFontMetrics& metrics;
    int spacing; // extra pixels after every character
    QRect clip;
};

namespace {

// The byte size of the space (or no-break space) at byte i, 0 for other
// characters.
std::size_t SpaceAt(std::string_view text, std::size_t i) {
    if (text[i] == ' ') return 1;
    const std::size_t size = text::CharSize(text, i);
    return text::CodeAt(text, i) == 0xA0 ? size : 0;
}

int CountSpaces(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); i += text::CharSize(text, i))
        count += SpaceAt(text, i) > 0 ? 1 : 0;
    return count;
}

// Removes a trailing paragraph mark; true when there was one (the line
// ends its paragraph).
bool TakeMark(std::string_view& line) {
    if (line.empty() || line.back() != kParagraphMark) return false;
    line.remove_suffix(1);
    return true;
}

// Whether the line is written right to left: its first strongly directed
// character is Hebrew, Arabic or of another right-to-left script. Only
// UTF-8 text can hold one; the engine's code pages have none.
bool StartsRightToLeft(std::string_view line) {
    if (EngineTextEncoding() != TextEncoding::Utf8) return false;
    return !text::IsAscii(line) && ToQt(line).isRightToLeft();
}

bool HasMark(const StringList& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(kParagraphMark) != std::string::npos;
    });
}

// Frame sides a line of a multi-line text keeps for the export: the first
// line has no bottom, the last no top, lines between neither.
std::uint16_t LineSides(std::uint16_t sides, std::size_t index, std::size_t count) {
    if (count <= 1) return sides;
    if (index > 0) sides &= static_cast<std::uint16_t>(~vlftTop);
    if (index + 1 < count) sides &= static_cast<std::uint16_t>(~vlftBottom);
    return sides;
}

} // namespace

void TvlMemoView::Draw(const TvlDrawContext& context) {
    const bool output = context.mode == rmOutput;
    if (output && hasFlag(mfAutoWidth) && !Memo.empty()) {
        UseDrawContext(context);
        const int w = CalcWidth();
        if (isRotated()) {
            Height = w;
        } else if ((Alignment & vltaJustify) == vltaRight) {
            Left += Width - w;
            Width = w;
        } else {
            Width = w;
        }
    }
    PrepareDraw(context);
    SplitMode = false;
    EvaluatedText = Memo;
    if (!EvaluatedText.empty()) {
        PreWrapped = HasMark(EvaluatedText);
        if (EvaluatedText.back() == std::string(1, kParagraphMark)) EvaluatedText.pop_back();
        // Prepared pages wrap as the build measured: at scale 1.
        const double sx = ScaleX, sy = ScaleY;
        ScaleX = ScaleY = 1;
        ScaleForOutput();
        if (output && hasFlag(mfAutoWidth)) Width += 100;
        WrapMemo();
        ScaleX = sx;
        ScaleY = sy;
        RestoreGeometry();
        EvaluatedText = WrappedLines;
    }
    ScaleForOutput();
    if (!ExportMode) {
        PaintFill();
        PaintFrame();
        PaintUnderlines();
    }
    if (!EvaluatedText.empty()) ShowMemo();
    RestoreGeometry();
}

void TvlMemoView::ShowMemo() {
    if (!Canvas) return;
    QPainter& p = *Canvas;
    const TvlFontMetrics& metrics = OutputMetrics();
    const TextPen pen{metrics, Nearest(CharSpacing * ScaleX),
                      QRect(DRect.Left + 1, DRect.Top, DRect.width() - 3, DRect.height() - 1)};
    p.save();
    QFont font = metrics.font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, pen.spacing);
    p.setFont(font);
    p.setPen(ToQColor(Font.color));
    p.setBackgroundMode(Qt::TransparentMode);

    const int textHeight = Nearest(TextHeight * ScaleY);
    const int savedLeft = Left, savedTop = Top;
    const bool middle = (Alignment & vltaMiddle) != 0;
    const bool bottom = !middle && (Alignment & vltaDown) != 0;
    if (isRotated()) {
        if (middle) Left += (DRect.width() - textHeight) / 2;
        if (bottom) Left = DRect.Right - textHeight;
    } else if (!SplitMode) {
        if (middle) Top += (DRect.height() - textHeight) / 2;
        if (bottom) Top = DRect.Bottom - textHeight - 1;
    }
    if (isRotated()) {
        DrawRotated(pen);
    } else {
        p.setClipRect(pen.clip);
        DrawHorizontal(pen);
    }
    Left = savedLeft;
    Top = savedTop;
    p.restore();
}

void TvlMemoView::DrawHorizontal(const TextPen& pen) {
    int y = Top + GapY;
    const int lineHeight = Nearest(LineSpacing * ScaleY) + pen.metrics.pixelHeight();
    LinesDone = 0;
    const std::size_t count = EvaluatedText.size();
    bool longExpression = false;
    if (DrawMode == rmDesign && count == 1) {
        std::string_view only = EvaluatedText[0];
        TakeMark(only);
        longExpression = !only.empty() && only[0] == '[' &&
                         pen.metrics.width(only, pen.spacing) > pen.clip.width();
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (SplitMode && DRect.Bottom < y + lineHeight) break;
        std::string_view line = EvaluatedText[i];
        const bool lastOfParagraph = TakeMark(line);
        const int w = Nearest(pen.metrics.width(line, pen.spacing));
        // A right-to-left line starts at the right: left and right trade
        // places, and it is not stretched, as its spaces run the other way.
        const bool rightToLeft = StartsRightToLeft(line);
        int align = longExpression ? vltaRight : Alignment & vltaJustify;
        if (rightToLeft)
            align = align == vltaCenter ? vltaCenter : align == vltaRight ? vltaLeft : vltaRight;
        int x = Left + GapX;
        int extra = 0;
        if (align == vltaRight)
            x = DRect.Right - (DRect.Left - Left) - GapX - w - 1;
        else if (align == vltaCenter)
            x = (DRect.width() - 2 * GapX - w) / 2 + Left + GapX;
        else if (align == vltaJustify && !lastOfParagraph)
            extra = DRect.width() - 2 * GapX - w;
        if (ExportMode)
            ExportLine(x, y, line, LineSides(FrameTyp, i, count));
        else
            DrawLine(pen, x, y, line, extra, false, rightToLeft);
        ++LinesDone;
        y += lineHeight;
    }
}

void TvlMemoView::DrawRotated(const TextPen& pen) {
    int x = Left + GapX;
    const int lineHeight = Nearest(LineSpacing * ScaleX) + pen.metrics.pixelHeight();
    LinesDone = 0;
    for (const std::string& text : EvaluatedText) {
        std::string_view line = text;
        const bool lastOfParagraph = TakeMark(line);
        const int w = Nearest(pen.metrics.width(line, pen.spacing));
        int y = DRect.Bottom - GapY;
        int extra = 0;
        switch (Alignment & (vltaVertical | vltaJustify)) {
        case vltaVertical | vltaRight:
            y = w + Top + GapY;
            break;
        case vltaVertical | vltaCenter:
            y = DRect.Bottom - GapY - (DRect.height() - 2 * GapY - w) / 2 - 1;
            break;
        case vltaVertical | vltaJustify:
            y = DRect.Bottom + Top - DRect.Top - GapY;
            if (!lastOfParagraph) extra = DRect.height() - 2 * GapY - w;
            break;
        default:
            break;
        }
        if (ExportMode)
            ExportLine(x, y, line, 0);
        else
            DrawLine(pen, x, y, line, extra, true);
        ++LinesDone;
        x += lineHeight;
    }
}

void TvlMemoView::DrawLine(const TextPen& pen, double x, double y, std::string_view text, int extra,
                           bool rotated, bool rightToLeft) {
    QPainter& p = *Canvas;
    const double ascent = pen.metrics.ascent();
    const bool rtl = rightToLeft || hasFlag(mfRTLReading);
    auto segment = [&](double offset, std::string_view part) {
        if (part.empty()) return;
        const QString qt = ToQt(part);
        if (rotated) {
            p.save();
            p.translate(x, y - offset);
            p.rotate(-90);
            p.drawText(QPointF(0, ascent), qt);
            p.restore();
        } else if (rtl) {
            const QRectF cell(x + offset, y, pen.metrics.width(part, pen.spacing) + 1,
                              pen.metrics.pixelHeight() * 2.0);
            p.drawText(cell,
                       Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine |
                           Qt::TextDontClip | Qt::TextForceRightToLeft,
                       qt);
        } else {
            p.drawText(QPointF(x + offset, y + ascent), qt);
        }
    };
    const int spaces = CountSpaces(text);
    if (extra <= 0 || spaces == 0) {
        segment(0, text);
        return;
    }
    // Every space takes extra / spaces more pixels, the first ones one more
    // until the remainder is used up.
    const int each = extra / spaces, remainder = extra % spaces;
    double offset = 0;
    int space = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i += text::CharSize(text, i)) {
        const std::size_t size = SpaceAt(text, i);
        if (size == 0) continue;
        const std::string_view part = text.substr(start, i + size - start);
        segment(offset, part);
        offset += pen.metrics.width(part, pen.spacing) + each + (space < remainder ? 1 : 0);
        ++space;
        start = i + size;
    }
    segment(offset, text.substr(start));
}

void TvlMemoView::ExportLine(double x, double y, std::string_view text, std::uint16_t sides) {
    if (TvlExportFilter* filter = viewState().exportFilter)
        filter->addTextLine(*this, static_cast<int>(x), static_cast<int>(y), text, sides);
}

void TvlMemoView::PaintUnderlines() {
    if (!hasFlag(mfUnderlines) || !Canvas) return;
    const int pixels = OutputPixelHeight();
    const int lineHeight = Nearest(LineSpacing * ScaleY) + pixels;
    if (lineHeight <= 0) return;
    const int penWidth = std::max(1, Nearest(FrameWidth));
    const QColor color = ToQColor(FrameColor);
    for (int i = 0; i < Height / lineHeight; ++i) {
        const int y = Top + GapY + i * lineHeight + Nearest(2 * ScaleY) + pixels;
        // The line stops before its end point, as the platform's lines do.
        Canvas->fillRect(QRect(Left, y - penWidth / 2, Width - 1, penWidth), color);
    }
}

void TvlMemoView::ExportToFilter() {
    TvlView::ExportToFilter();
    struct ModeReset {
        bool& mode;
        ~ModeReset() { mode = false; }
    } reset{ExportMode};
    ExportMode = true;
    Draw(TvlDrawContext::at(&measuringCanvas().painter()));
}

} // namespace vl
