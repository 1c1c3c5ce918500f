#pragma once

#include "engine/model/TvlObject.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewServices.h"
#include "engine/output/PageMetrics.h"
#include "engine/output/PageSettings.h"
#include "engine/script/BandType.h"
#include "engine/script/ScopedValue.h"

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace vl {

class Stream;
class TvlBand;
class TvlBandView;
class TvlBuildRun;
class TvlEngine;
class TvlReport;

enum TvlPageType : std::uint8_t { ptReport = 0, ptDialog = 1 };
enum TvlPageOrientation : std::uint8_t { poPortrait = 0, poLandscape = 1 };

// The window a dialog page shows while a report is built.
struct TvlDialogForm {
    static constexpr std::uint8_t bsSizeable = 2;
    static constexpr std::uint8_t bsDialog = 3;
    static constexpr std::uint8_t poDesigned = 0;
    static constexpr std::uint8_t poScreenCenter = 4;

    // The border style a template byte stands for: the older codes 0 and 1
    // are the dialog and the sizeable border; any other value is a window
    // border style itself, written back as it was read.
    static std::uint8_t StoredBorderStyle(std::uint8_t stored) {
        if (stored == 0) return bsDialog;
        return stored == 1 ? bsSizeable : stored;
    }

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

    // A new page of engine's reports takes the engine's default paper,
    // portrait.
    explicit TvlPage(TvlEngine& engine);
    ~TvlPage() override;

    // The engine instance whose printer lays the page out.
    TvlEngine& Engine() const { return engine_; }

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
    // The report whose page list holds the page (none until it is added).
    TvlReport* OwnerReport = nullptr;

    // Takes the paper on the printer and the printer's answer: its paper
    // code, size and orientation; a bin that leaves the choice to the
    // printer stays so. A paper the printer refuses is retried once as a
    // custom paper in the default bin.
    void SetPaper(int size, int width, int height, int bin, int orientation);
    // The paper and margins a prepared page opened by this page gets.
    PageSettings PreparedSettings() const;

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

    // Settings by name (upper-case names); unknown names are ignored.
    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    void RegisterProperties() override;

    // Build time.
    // The build of the page's report; only while one runs.
    TvlBuildRun& Run() const;
    enum TvlBuildMode : std::uint8_t { bmOutput = 0, bmRecord = 1 };
    // What a page in record mode notes instead of doing it.
    struct RecordedStep {
        enum Kind : std::uint8_t { Draw, First, Next } kind;
        TvlBand* band;
    };

    // The first band of a type's chain (an empty band for unused types
    // while the page is prepared; none otherwise).
    TvlBand* Band(int type) const;
    bool Prepared() const { return prepared_; }
    // The page is shown by a sub-report object and not run by itself.
    bool SubReportPage = false;
    TvlBuildMode BuildMode = bmOutput;
    // Dialog pages: the form's modal result (0 while it has none).
    static constexpr int kModalCancel = 2;
    int ModalResult = 0;
    std::vector<RecordedStep> RecordedSteps;
    int ReplayIndex = 0;
    TvlBand* ResumeBand = nullptr;
    int PageColumn = 0;
    int ColumnTop = 0;
    int ColumnOffset = 0;
    int CurY = 0;
    int BottomLimit = 0;
    int CrossColumn = 1;
    int RecordCounter = 1;
    TvlBand* LastOutputBand = nullptr;
    bool NoRepeatedHeaders = false;

    // True while the bands of a new page or column are being printed.
    bool InBreak() const { return breakDepth_ > 0; }
    // While the result lives the page counts as breaking: its bands print
    // where they stand and start no new page or column.
    [[nodiscard]] ScopedDepth EnterBreak() { return ScopedDepth(breakDepth_); }
    // The lowest position for band content: the bottom edge less the page
    // footer while a report is built.
    int ContentBottom() const;
    // The room the column footer keeps at the bottom of each column.
    int ColumnFooterHeight() const;

    void InitForBuild();
    void DoneBuild();
    // Drops the runtime bands and everything that points at them, whatever
    // the pass: also after a build left by an exception.
    void ReleaseBuild();
    void BindObjects();
    void RunPage();
    void PrintBand(TvlBand* band);
    void StartNewPage();
    void StartNewColumn(TvlBand* band);
    void FinishPageFooters();
    void ResetLineNo(TvlBand* band, int n);
    void RunPageScript(const StringList& lines);
    // SHOWBAND: the first band whose view has that name, output now.
    void ShowBand(std::string_view name);
    // The table of the band context: the source of the data band that the
    // current band belongs to, when it is a table.
    TvlComponent* BandContextTable() const;
    // An error of the build: recorded by the report, and the build stops.
    void HandleBuildError(const std::exception& error);

    int viewCount() const override { return static_cast<int>(Objects.size()); }
    TvlView* viewAt(int index) const override;
    int leftEdge() const override { return LeftEdge(); }
    int rightEdge() const override { return RightEdge(); }
    int pixelWidth() const override { return PrinterInfo.PixelPaperWidth; }
    int pixelHeight() const override { return PrinterInfo.PixelPaperHeight; }

private:
    TvlEngine& engine_;
    void readDialogSettings(Stream& stream);
    void setReportProperty(const std::string& n, const Variant& value);
    void setDialogProperty(const std::string& n, const Variant& value);
    Variant reportProperty(const std::string& n) const;
    Variant dialogProperty(const std::string& n) const;

    // Building and linking the runtime bands.
    void BuildBands();
    void prepareObjects();
    void fillCrossBands();
    void fillHorizontalBands();
    void fillBand(TvlBand& band, TvlBandView& view);
    void takeObjects(TvlBand& band);
    void sortChains(std::vector<std::vector<TvlBand*>>& byType);
    void placeLooseObjects();
    void linkHeadersAndFooters();
    void pairGroupFooters();
    void bindColumnSources();
    void linkChildren();
    void linkGroupHeaders();
    void computePageColumns();
    void limitGeometry();
    TvlBand& newBand(TvlBandType type);

    // The page run.
    void initReportPage();
    void initDialogPage();
    void registerTotals();
    void scanTotals(TvlBand& dataBand);
    void registerBandTotals(TvlBand& band);
    void bindObjectField(TvlView& view);
    bool pageIsEmpty() const;
    void startRun(bool manual);
    void finishRun(bool manual);
    void RecordLoop(int level);
    void walkDataBand(TvlBand& data, int level);
    bool groupChange(TvlBand& data);
    void openGroups(TvlBand* from);
    void pushPending(TvlBand* band);
    void ShowPending();
    int deepestLevel() const;
    void appendPreparedPage();

    std::array<TvlBand*, 23> bands_{};
    std::vector<std::unique_ptr<TvlBand>> ownedBands_;
    std::vector<TvlBand*> pending_;
    std::vector<bool> placed_;
    bool prepared_ = false;
    int deepestLevel_ = 1;
    int breakDepth_ = 0;
};

} // namespace vl
