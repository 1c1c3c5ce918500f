#pragma once

#include "engine/model/ViewServices.h"
#include "engine/script/Aggregates.h"
#include "engine/script/BandType.h"
#include "engine/script/StreamIO.h"
#include "engine/script/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vl {

class TvlBandView;
class TvlBuildRun;
class TvlDataset;
class TvlPage;
class TvlView;

// A band while its page is built: made from a band view (or empty, for a
// type the page does not use), holding the objects that lie in it, linked
// to the bands it prints with, and able to output itself at the page's
// current position.
class TvlBand : public TvlRuntimeBand, public AggregateHost {
public:
    TvlBand(TvlPage& page, TvlBandType type);
    ~TvlBand() override;
    TvlBand(const TvlBand&) = delete;
    TvlBand& operator=(const TvlBand&) = delete;

    TvlPage& OwnerPage;
    TvlBandView* BandView = nullptr;
    const TvlBandType Type;
    std::string Name;
    std::uint16_t BandFlags = 0;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    bool Stretched = false, FormNewPage = false, PrintIfSubsetEmpty = false, Breaked = false,
         PrintChildIfInvisible = false;
    StringList EventText, Script;
    std::vector<TvlView*> Objects; // not owned

    TvlDataset* Source = nullptr;
    TvlDataset* ColumnSource = nullptr;
    std::string Condition;      // group header: postfix form
    Variant LastConditionValue; // Null until the header first prints

    TvlBand *NextBand = nullptr, *PrevBand = nullptr, *ChainEnd = nullptr;
    TvlBand *HeaderLink = nullptr, *FooterLink = nullptr, *DataLink = nullptr;
    TvlBand *FirstGroupHeader = nullptr, *LastGroupHeader = nullptr;
    TvlBand *GroupNext = nullptr, *GroupPrev = nullptr;
    TvlBand* ChildLink = nullptr;

    int LineNo = 0, LineThroughNo = 0;
    int NeededHeight = -1, PrintedHeight = 0;
    int PendingNewPages = 0, PendingNewColumns = 0;
    bool CurYAfterBreak = false, ScriptDone = false, KeepTotals = false;
    int BandColumn = 1, BandColumnStartX = 0;
    int MaxCrossColumns = 0;
    // Sub-report output: the index of the first sub-report object handled,
    // the lowest end of the sub-reports that finished in the current turn,
    // whether all are done, and, per object from SubReportStart on, the
    // page it prints (none when it prints nothing) and whether it is done.
    std::size_t SubReportStart = 0;
    int SubReportBottom = 0;
    bool SubReportsDone = true;
    std::vector<TvlPage*> SubReportPages;
    std::vector<bool> SubReportDone;

    // The build of the band's page.
    TvlBuildRun& Run() const;
    bool hasFlag(std::uint16_t flag) const { return (BandFlags & flag) != 0; }
    bool isDataBand() const;
    bool isGroupHeader() const { return Type == btGroupHeader; }
    // Flowing bands move with the output position; page footers, overlays
    // and the band of loose objects keep their place.
    bool isFlowing() const;
    // The band takes part in output: it has a view, or it is the band of
    // loose objects and holds some.
    bool inUse() const;

    // Binds the group condition or the data source named by text.
    void BindDataSource(const std::string& text);
    void ReleaseDataSources();
    void setColumnSource(const std::string& name);

    // The whole output of the band at the page's position; true when it did
    // not fit where it stood.
    bool Output();
    int MeasureHeight();
    int MeasureStretched();
    // True when a band at top with height does not fit above the column
    // footer; then, unless told not to, a new column or page starts.
    bool FitOrBreak(int top, int height, bool noBreak);
    bool HasCrossObjects() const;
    void OutputBody();
    // False when a sub-report took over the rest of the band.
    bool OutputObjects();
    void OutputObject(TvlView& view);
    void OutputSplit();

    // The band's script, with errors going to the build.
    void RunScript();

    // Totals of one data row, and the restart after a band showed them.
    void AccumulateTotals();
    void ResetTotals();
    // Group headers: the condition's value now.
    Variant ConditionValue() const;

    // TvlRuntimeBand
    int bandType() const override { return Type; }
    int left() const override { return Left; }
    int top() const override { return Top; }
    int width() const override { return Width; }
    int height() const override { return Height; }
    void setLeft(int value) override { Left = value; }
    void setTop(int value) override { Top = value; }
    void setWidth(int value) override { Width = value; }
    void setHeight(int value) override { Height = value; }
    bool visible() const override { return Visible; }
    void setVisible(bool value) override { Visible = value; }
    bool pageBreak() const override { return Breaked; }
    void setPageBreak(bool value) override { Breaked = value; }
    void setGroupCondition(const std::string& condition) override;
    void setChildBand(std::string_view bandViewName) override;
    void bindDataSource(std::string_view name) override;
    bool hasDataSource() const override { return Source != nullptr; }
    bool dataSourceEof() const override;
    void dataSourceFirst() override;
    void dataSourceNext() override;
    void dataSourcePrior() override;

    // AggregateHost
    std::string bandName() const override { return Name; }
    TvlBandType totalsBandType() const override { return Type; }
    bool hasCrossObjects() const override { return HasCrossObjects(); }
    bool rowVisible() const override { return Visible; }
    int crossColumn() const override;

private:
    void runScriptBreaks(int y0);
    bool outputVisible(bool& result);
    bool makeRoom(bool& result);
    int contentTop() const;
    void outputChain();
    void outputStretchedBody();
    void outputPlainBody();
    void outputCross();
    void advanceBandColumn();
    void resetAfterOutput();
    void writeObject(TvlView& view);
    int measureObjects(bool includeCross);
    int measureCrossColumns();
    void restoreHeights();
    bool stopping() const;

    std::unique_ptr<TvlDataset> ownedSource_;
    std::unique_ptr<TvlDataset> ownedColumnSource_;
    // Heights saved when the objects were last measured.
    std::vector<int> measuredHeights_;
    bool outputting_ = false;
};

} // namespace vl
