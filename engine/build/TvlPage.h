#pragma once

#include "engine/model/TvlObject.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewServices.h"
#include "engine/output/PageMetrics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vl {

class Stream;

enum TvlPageType : std::uint8_t { ptReport = 0, ptDialog = 1 };
enum TvlPageOrientation : std::uint8_t { poPortrait = 0, poLandscape = 1 };

// The window a dialog page shows while a report is built.
struct TvlDialogForm {
    static constexpr std::uint8_t bsSizeable = 2;
    static constexpr std::uint8_t bsDialog = 3;
    static constexpr std::uint8_t poDesigned = 0;
    static constexpr std::uint8_t poScreenCenter = 4;

    std::uint8_t BorderStyle = bsDialog;
    std::string Caption = "Form";
    std::int32_t Color = static_cast<std::int32_t>(0xFF00000F); // button face
    std::int32_t Left = 220;
    std::int32_t Top = 120;
    std::int32_t Width = 380;
    std::int32_t Height = 300;
    std::uint8_t Position = poScreenCenter;
};

// One page of a template: its paper, margins and columns, a dialog page's
// form settings, its script and the objects placed on it (owned, in page
// order).
class TvlPage : public TvlObject, public TvlViewPage {
public:
    // The paper bin that leaves the choice to the printer.
    static constexpr std::int32_t kDefaultBin = 0xFFFF;

    // A new page takes the engine's default paper, portrait.
    TvlPage();
    ~TvlPage() override;

    std::string Name;
    std::uint8_t PageType = ptReport;
    bool Visible = true;
    std::int32_t PaperSize = 0;
    std::int32_t PaperWidth = 0;  // tenths of a millimetre
    std::int32_t PaperHeight = 0; // tenths of a millimetre
    std::uint8_t Orientation = poPortrait;
    std::int32_t PaperBin = kDefaultBin;
    std::int32_t LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;
    bool UseMargins = true;
    bool PrintToPrevPage = false;
    std::int32_t Columns = 1;
    std::int32_t ColumnWidth = 0;
    std::int32_t ColumnGap = 0;
    PageMetrics PrinterInfo; // the paper as the printer lays it out
    StringList Script;
    TvlDialogForm Dialog;
    std::vector<std::unique_ptr<TvlView>> Objects;

    // Takes the paper on the printer and the printer's answer: its paper
    // code, size and orientation; a bin that leaves the choice to the
    // printer stays so. A paper the printer refuses is retried once as a
    // custom paper in the default bin.
    void SetPaper(int size, int width, int height, int bin, int orientation);

    // Edges of the usable area in page pixels.
    int LeftEdge() const;
    int TopEdge() const;
    int RightEdge() const;
    int BottomEdge() const;

    // The first object of that name (case ignored), or none.
    TvlView* FindObject(std::string_view name) const;
    TvlView& AddObject(std::unique_ptr<TvlView> view);

    // The page record. Reading answers whether the record carried a name;
    // an older record leaves the name to the page list.
    bool LoadFromStream(Stream& stream);
    void SaveToStream(Stream& stream) const;

    int viewCount() const override { return static_cast<int>(Objects.size()); }
    TvlView* viewAt(int index) const override;
    int leftEdge() const override { return LeftEdge(); }
    int rightEdge() const override { return RightEdge(); }
    int pixelWidth() const override { return PrinterInfo.PixelPaperWidth; }
    int pixelHeight() const override { return PrinterInfo.PixelPaperHeight; }

private:
    void readDialogSettings(Stream& stream);
};

} // namespace vl
