#include "designer/commands/PageOptionValues.h"

#include "engine/build/TvlPage.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <cmath>
#include <optional>

namespace vl {

namespace {

int EntryAt(const std::vector<int>& codes, int index, int fallback) {
    if (index < 0 || index >= static_cast<int>(codes.size())) return fallback;
    return codes[static_cast<std::size_t>(index)];
}

std::optional<double> Number(const QString& text) {
    try {
        return StrToFloatAny(CurrentCodePage().fromUnicode(text.trimmed()));
    } catch (const VlError&) {
        return std::nullopt;
    }
}

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

QString PixelsAsMillimetres(int pixels) {
    return MillimetresText(pixels * 5.0 / 18.0);
}

} // namespace

QString MillimetresText(double millimetres) {
    return QString::number(millimetres, 'g', 4);
}

int MillimetresToPixels(double millimetres) {
    return RoundEven(millimetres * 18.0 / 5.0);
}

TvlPageOptionValues TvlPageOptionValues::FromPage(const TvlPage& page, const TvlPrinter& printer,
                                                  bool unlimitedHeight) {
    TvlPageOptionValues v;
    v.landscape = page.Orientation == poLandscape;
    v.paperIndex = printer.PaperIndex(page.PaperSize);
    // every paper shows its size; only a custom one takes what is typed
    v.paperWidth = MillimetresText(page.PaperWidth / 10.0);
    v.paperHeight = MillimetresText(page.PaperHeight / 10.0);
    v.unlimitedHeight = unlimitedHeight;
    v.binIndex = printer.BinIndex(page.PaperBin);
    v.leftMargin = PixelsAsMillimetres(page.LeftMargin);
    v.topMargin = PixelsAsMillimetres(page.TopMargin);
    v.rightMargin = PixelsAsMillimetres(page.RightMargin);
    v.bottomMargin = PixelsAsMillimetres(page.BottomMargin);
    v.columnGap = PixelsAsMillimetres(page.ColumnGap);
    v.stretchToPrintArea = !page.UseMargins;
    v.printToPrevPage = page.PrintToPrevPage;
    v.columns = QString::number(page.Columns);
    return v;
}

void TvlPageOptionValues::ApplyTo(TvlPage& page, const TvlPrinter& printer) const {
    page.PrintToPrevPage = printToPrevPage;
    page.UseMargins = !stretchToPrintArea;
    const int orientation = landscape ? poLandscape : poPortrait;
    int code = EntryAt(printer.PaperCodes(), paperIndex, kA4);
    int width = page.PaperWidth, height = page.PaperHeight;
    if (code == kCustomPaper) {
        const auto w = Number(paperWidth), h = Number(paperHeight);
        if (w && h) {
            width = RoundEven(*w * 10);
            height = RoundEven(*h * 10);
        } else {
            code = kA4;
        }
    }
    const auto l = Number(leftMargin), t = Number(topMargin), r = Number(rightMargin),
               b = Number(bottomMargin), g = Number(columnGap);
    const bool margins = l && t && r && b && g;
    page.LeftMargin = margins ? MillimetresToPixels(*l) : 0;
    page.TopMargin = margins ? MillimetresToPixels(*t) : 0;
    page.RightMargin = margins ? MillimetresToPixels(*r) : 0;
    page.BottomMargin = margins ? MillimetresToPixels(*b) : 0;
    page.ColumnGap = margins ? MillimetresToPixels(*g) : 0;
    bool columnsOk = false;
    const int count = columns.trimmed().toInt(&columnsOk);
    if (columnsOk && count > 0) page.Columns = count;
    const int bin = EntryAt(printer.BinCodes(), binIndex, TvlPage::kDefaultBin);
    page.SetPaper(code, width, height, bin, orientation);
}

} // namespace vl
