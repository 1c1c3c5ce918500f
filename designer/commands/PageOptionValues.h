#pragma once

#include <QString>

namespace vl {

class TvlPage;
class TvlPrinter;

// The page options dialog's contents: the page's settings as the dialog
// shows them, millimetres as text. Reading them back accepts "," and "."
// as decimal separator.
struct TvlPageOptionValues {
    // The custom paper code, whose width and height the dialog edits.
    static constexpr int kCustomPaper = 256;
    static constexpr int kA4 = 9;

    bool landscape = false;
    int paperIndex = 0;
    QString paperWidth, paperHeight; // mm; empty unless custom
    bool unlimitedHeight = false;
    int binIndex = 0;
    QString leftMargin, topMargin, rightMargin, bottomMargin, columnGap; // mm
    bool stretchToPrintArea = false;
    bool printToPrevPage = false;
    QString columns = QStringLiteral("1");

    static TvlPageOptionValues FromPage(const TvlPage& page, const TvlPrinter& printer,
                                        bool unlimitedHeight);
    // Sets the page's paper, margins and columns. A paper size that is no
    // number falls back to A4; a margin or gap that is no number sets all
    // four margins and the gap to 0.
    void ApplyTo(TvlPage& page, const TvlPrinter& printer) const;
};

// Millimetres as the dialogs show them (4 significant digits) and page
// pixels from millimetres (18 pixels are 5 mm, halves to even).
QString MillimetresText(double millimetres);
int MillimetresToPixels(double millimetres);

} // namespace vl
