#pragma once

#include <QPageLayout>

namespace vl {

class TvlEMFPages;
class TvlPrinter;
class TvlReport;

// What the page setup dialog chose: the paper (its engine code, its size in
// tenths of a millimetre as oriented, the orientation, 0 portrait and 1
// landscape) and the margins in hundredths of a millimetre.
struct PageSetupChoice {
    int paperCode = 0;
    int paperWidth = 0;
    int paperHeight = 0;
    int orientation = 0;
    int leftMargin = 0;
    int topMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;
};

// Page pixels and hundredths of a millimetre (18 page pixels count as
// 5 mm), both truncated as the dialogs have always done.
int MarginToHundredthsMm(int pagePixels);
int HundredthsMmToMargin(int hundredths);

// The dialog's starting point: the printer's current paper and the first
// prepared page's margins as its layout uses them: a margin of 0 ("the
// printer's printable area") shows as the unprintable edge of the printer
// the page was laid out on.
PageSetupChoice PageSetupPreset(const TvlPrinter& printer, const TvlEMFPages& pages);
QPageLayout ToPageLayout(const PageSetupChoice& choice);
PageSetupChoice FromPageLayout(const QPageLayout& layout);

// Selects the chosen paper on the engine's printer and gives every report
// page of the template (dialog pages keep theirs) that paper and the
// chosen margins. A margin that is what the dialog started with (preset)
// is not a choice: each page keeps its own on that side. The report still
// has to be built again.
void ApplyPageSetup(TvlReport& report, const PageSetupChoice& choice,
                    const PageSetupChoice* preset = nullptr);

} // namespace vl
