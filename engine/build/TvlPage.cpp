#include "engine/build/TvlPage.h"

#include "engine/build/TvlBand.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/output/PaperTable.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"

#include <algorithm>
#include <cstdint>

namespace vl {

namespace {

constexpr std::int32_t kPageMarker = -1;
// Bytes that records of old versions carry after the orientation.
constexpr std::size_t kOldPageFiller = 6;

bool isDefaultBin(int bin) {
    return bin == -1 || (bin & 0xFFFF) == 0xFFFF;
}

// Margins come from files: an edge that leaves the int range is held at
// its end.
int clampEdge(std::int64_t edge) {
    return static_cast<int>(std::clamp<std::int64_t>(edge, INT32_MIN, INT32_MAX));
}

} // namespace

TvlPage::TvlPage(TvlEngine& engine) : engine_(engine) {
    SetPaper(engine_.defaultPaperSize(), 0, 0, -1, poPortrait);
}

TvlPage::~TvlPage() = default;

void TvlPage::SetPaper(int size, int width, int height, int bin, int orientation) {
    TvlPrinter& printer = engine_.printer();
    try {
        printer.SetPaper(size, width, height, bin, orientation, false);
    } catch (const std::exception&) {
        printer.SetPaper(kCustomPaper, width, height, -1, orientation, false);
    }
    printer.FillMetrics(PrinterInfo);
    PaperSize = printer.PaperSize();
    PaperWidth = printer.PaperWidth();
    PaperHeight = printer.PaperHeight();
    Orientation = printer.Orientation() == poLandscape ? poLandscape : poPortrait;
    PaperBin = isDefaultBin(bin) ? kDefaultBin : printer.PaperBin();
}

PageSettings TvlPage::PreparedSettings() const {
    PageSettings settings;
    settings.PaperSize = static_cast<std::int16_t>(PaperSize);
    settings.PaperWidth = PaperWidth;
    settings.PaperHeight = PaperHeight;
    settings.Orientation = Orientation;
    settings.PaperBin = PaperBin == kDefaultBin ? -1 : PaperBin;
    settings.PaperCoordinates = !UseMargins;
    settings.LeftMargin = LeftMargin;
    settings.TopMargin = TopMargin;
    settings.RightMargin = RightMargin;
    settings.BottomMargin = BottomMargin;
    settings.Metrics = PrinterInfo;
    return settings;
}

int TvlPage::LeftEdge() const {
    if (!UseMargins) return 0;
    return LeftMargin ? LeftMargin : PrinterInfo.PixelOffsetX;
}

int TvlPage::TopEdge() const {
    if (!UseMargins) return 0;
    return TopMargin ? TopMargin : PrinterInfo.PixelOffsetY;
}

int TvlPage::RightEdge() const {
    const PageMetrics& m = PrinterInfo;
    if (!UseMargins) return m.PixelPaperWidth;
    return clampEdge(RightMargin ? std::int64_t{m.PixelPaperWidth} - RightMargin
                                 : std::int64_t{m.PixelOffsetX} + m.PixelPrintWidth);
}

int TvlPage::BottomEdge() const {
    const PageMetrics& m = PrinterInfo;
    if (!UseMargins) return m.PixelPaperHeight;
    return clampEdge(BottomMargin ? std::int64_t{m.PixelPaperHeight} - BottomMargin
                                  : std::int64_t{m.PixelOffsetY} + m.PixelPrintHeight);
}

TvlView* TvlPage::FindObject(std::string_view name) const {
    for (const auto& view : Objects)
        if (SameText(view->Name, name)) return view.get();
    return nullptr;
}

TvlView& TvlPage::AddObject(std::unique_ptr<TvlView> view) {
    view->JoinEngine(engine_.model());
    Objects.push_back(std::move(view));
    return *Objects.back();
}

TvlView* TvlPage::viewAt(int index) const {
    if (index < 0 || index >= viewCount()) return nullptr;
    return Objects[static_cast<std::size_t>(index)].get();
}

void TvlPage::readDialogSettings(Stream& stream) {
    Dialog.BorderStyle = TvlDialogForm::StoredBorderStyle(ReadByte(stream));
    Dialog.Caption = ReadString(stream);
    Dialog.Color = ReadInteger(stream);
    Dialog.Left = ReadInteger(stream);
    Dialog.Top = ReadInteger(stream);
    Dialog.Width = ReadInteger(stream);
    Dialog.Height = ReadInteger(stream);
    Dialog.Position = ReadByte(stream) ? TvlDialogForm::poScreenCenter : TvlDialogForm::poDesigned;
}

bool TvlPage::LoadFromStream(Stream& stream) {
    const int v = engine_.views().templateVersion;
    const std::int32_t first = ReadInteger(stream);
    const bool marked = first == kPageMarker;
    const std::int32_t size = marked ? ReadInteger(stream) : first;
    const std::int32_t width = ReadInteger(stream);
    const std::int32_t height = ReadInteger(stream);
    LeftMargin = ReadInteger(stream);
    TopMargin = ReadInteger(stream);
    RightMargin = ReadInteger(stream);
    BottomMargin = ReadInteger(stream);
    const std::uint8_t orientation = ReadByte(stream) ? poLandscape : poPortrait;
    if (v < kFirstCurrentStringVersion) {
        std::uint8_t filler[kOldPageFiller];
        stream.readBuffer(filler, sizeof filler);
    }
    const std::int32_t bin = v >= 24 ? ReadInteger(stream) : -1;
    PrintToPrevPage = ReadBool16(stream);
    UseMargins = ReadBool16(stream);
    Columns = ReadInteger(stream);
    ColumnGap = ReadInteger(stream);
    if (v >= 24) {
        PageType = ReadByte(stream) == ptDialog ? ptDialog : ptReport;
        Name = ReadString(stream);
        readDialogSettings(stream);
    }
    if (marked) Script = ReadStringsFor(stream, v);
    SetPaper(size, width, height, bin, orientation);
    return v >= 24;
}

void TvlPage::SaveToStream(Stream& stream) const {
    WriteInteger(stream, kPageMarker);
    WriteInteger(stream, PaperSize);
    WriteInteger(stream, PaperWidth);
    WriteInteger(stream, PaperHeight);
    WriteInteger(stream, LeftMargin);
    WriteInteger(stream, TopMargin);
    WriteInteger(stream, RightMargin);
    WriteInteger(stream, BottomMargin);
    WriteByte(stream, Orientation);
    WriteInteger(stream, PaperBin);
    WriteBool16(stream, PrintToPrevPage);
    WriteBool16(stream, UseMargins);
    WriteInteger(stream, Columns);
    WriteInteger(stream, ColumnGap);
    WriteByte(stream, PageType);
    WriteString(stream, Name);
    WriteByte(stream, Dialog.BorderStyle);
    WriteString(stream, Dialog.Caption);
    WriteInteger(stream, Dialog.Color);
    WriteInteger(stream, Dialog.Left);
    WriteInteger(stream, Dialog.Top);
    WriteInteger(stream, Dialog.Width);
    WriteInteger(stream, Dialog.Height);
    WriteByte(stream, Dialog.Position);
    WriteStrings(stream, Script);
}

} // namespace vl
