#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ViewState.h"
#include "engine/output/PaperTable.h"
#include "engine/output/TvlPrinter.h"

namespace vl {

// The page's settings by name, as scripts and the object inspector reach
// them. Paper sizes are shown in pixels and kept in tenths of a millimetre.

namespace {

int tenthsToPixels(std::int32_t tenths) {
    return Nearest(tenths * 18.0 / 50.0);
}

std::int32_t pixelsToTenths(const Variant& value, std::string_view property) {
    return Nearest(PropertyFloat(property, value) * 50.0 / 18.0);
}

// The paper list of the printer as enumeration names and codes.
void paperEnumeration(TvlObject& page, const TvlPrinter& printer) {
    std::string names;
    std::vector<Variant> values;
    for (std::size_t i = 0; i < printer.PaperNameList().size(); ++i) {
        if (i) names += ';';
        names += printer.PaperNameList()[i];
        values.emplace_back(i < printer.PaperCodes().size() ? printer.PaperCodes()[i] : 0);
    }
    if (names.empty()) {
        names = "No data";
        values.emplace_back(0);
    }
    page.AddEnumProperty("Size", names, std::move(values));
}

} // namespace

void TvlPage::RegisterProperties() {
    ClearProperties();
    AddEnumProperty("Type", "ptReport;ptDialog", {Variant(0), Variant(1)});
    if (PageType == ptReport) {
        paperEnumeration(*this, engine_.printer());
        AddProperty("Width", pkSize);
        AddProperty("Height", pkSize);
        for (const char* margin : {"LeftMargin", "TopMargin", "RightMargin", "BottomMargin"})
            AddProperty(margin, pkSize);
        AddEnumProperty("Orientation", "poPortrait;poLandscape", {Variant(0), Variant(1)});
        AddProperty("PrintToPrevPage", pkBoolean);
        AddProperty("StretchToPrintable", pkBoolean);
        AddProperty("Columns", pkInteger);
        AddProperty("ColumnGap", pkSize);
        AddProperty("OnBeforePrint", pkEditor);
    } else {
        AddEnumProperty("BorderStyle", "bsDialog;bsSizeable", {Variant(3), Variant(2)});
        AddProperty("Caption", pkText);
        AddProperty("Color", pkColor);
        AddProperty("Left", pkSize);
        AddProperty("Top", pkSize);
        AddProperty("Width", pkInteger);
        AddProperty("Height", pkInteger);
        AddEnumProperty("Position", "poDesigned;poScreenCenter", {Variant(0), Variant(4)});
        AddProperty("OnActivate", pkEditor);
    }
}

void TvlPage::SetProperty(std::string_view name, const Variant& value) {
    const std::string n = UpperName(name);
    if (n == "TYPE") {
        PageType = PropertyInt(n, value) == ptDialog ? ptDialog : ptReport;
    } else if (n == "VISIBLE") {
        Visible = PropertyBool(n, value);
    } else if (n == "NAME") {
        Name = value.toString();
    } else if (PageType == ptDialog) {
        setDialogProperty(n, value);
    } else {
        setReportProperty(n, value);
    }
}

void TvlPage::setReportProperty(const std::string& n, const Variant& value) {
    if (n == "SIZE") {
        SetPaper(PropertyInt(n, value), PaperWidth, PaperHeight, PaperBin, Orientation);
    } else if (n == "WIDTH") {
        SetPaper(kCustomPaper, pixelsToTenths(value, n), PaperHeight, PaperBin, Orientation);
    } else if (n == "HEIGHT") {
        SetPaper(kCustomPaper, PaperWidth, pixelsToTenths(value, n), PaperBin, Orientation);
    } else if (n == "ORIENTATION") {
        SetPaper(PaperSize, PaperWidth, PaperHeight, PaperBin, PropertyInt(n, value) ? 1 : 0);
    } else if (n == "LEFTMARGIN") {
        LeftMargin = PropertyInt(n, value);
    } else if (n == "TOPMARGIN") {
        TopMargin = PropertyInt(n, value);
    } else if (n == "RIGHTMARGIN") {
        RightMargin = PropertyInt(n, value);
    } else if (n == "BOTTOMMARGIN") {
        BottomMargin = PropertyInt(n, value);
    } else if (n == "PRINTTOPREVPAGE") {
        PrintToPrevPage = PropertyBool(n, value);
    } else if (n == "STRETCHTOPRINTABLE") {
        UseMargins = !PropertyBool(n, value);
    } else if (n == "COLUMNS") {
        Columns = PropertyInt(n, value);
    } else if (n == "COLUMNWIDTH") {
        ColumnWidth = PropertyInt(n, value);
    } else if (n == "COLUMNGAP") {
        ColumnGap = PropertyInt(n, value);
    }
}

void TvlPage::setDialogProperty(const std::string& n, const Variant& value) {
    if (n == "BORDERSTYLE") {
        Dialog.BorderStyle = PropertyInt(n, value) == TvlDialogForm::bsSizeable
                                 ? TvlDialogForm::bsSizeable
                                 : TvlDialogForm::bsDialog;
    } else if (n == "CAPTION") {
        Dialog.Caption = value.toString();
    } else if (n == "COLOR") {
        Dialog.Color = PropertyInt(n, value);
    } else if (n == "LEFT") {
        Dialog.Left = PropertyInt(n, value);
    } else if (n == "TOP") {
        Dialog.Top = PropertyInt(n, value);
    } else if (n == "WIDTH") {
        Dialog.Width = PropertyInt(n, value);
    } else if (n == "HEIGHT") {
        Dialog.Height = PropertyInt(n, value);
    } else if (n == "POSITION") {
        Dialog.Position = PropertyInt(n, value) == TvlDialogForm::poDesigned
                              ? TvlDialogForm::poDesigned
                              : TvlDialogForm::poScreenCenter;
    }
}

Variant TvlPage::GetProperty(std::string_view name) {
    const std::string n = UpperName(name);
    if (n == "TYPE") return Variant(static_cast<int>(PageType));
    if (n == "VISIBLE") return Variant(Visible);
    if (n == "NAME") return Variant(Name);
    return PageType == ptDialog ? dialogProperty(n) : reportProperty(n);
}

Variant TvlPage::reportProperty(const std::string& n) const {
    const bool building = prepared_ && engine_.views().building;
    if (n == "SIZE") return Variant(PaperSize);
    if (n == "WIDTH") return Variant(tenthsToPixels(PaperWidth));
    if (n == "HEIGHT") return Variant(tenthsToPixels(PaperHeight));
    if (n == "LEFTMARGIN") return Variant(building ? LeftEdge() : LeftMargin);
    if (n == "TOPMARGIN") return Variant(building ? TopEdge() : TopMargin);
    if (n == "RIGHTMARGIN") return Variant(building ? RightEdge() : RightMargin);
    if (n == "BOTTOMMARGIN") return Variant(building ? ContentBottom() : BottomMargin);
    if (n == "ORIENTATION") return Variant(static_cast<int>(Orientation));
    if (n == "PRINTTOPREVPAGE") return Variant(PrintToPrevPage);
    if (n == "STRETCHTOPRINTABLE") return Variant(!UseMargins);
    if (n == "COLUMNS") return Variant(Columns);
    if (n == "COLUMNWIDTH") return Variant(ColumnWidth);
    if (n == "COLUMNGAP") return Variant(ColumnGap);
    return Variant();
}

Variant TvlPage::dialogProperty(const std::string& n) const {
    if (n == "BORDERSTYLE") return Variant(static_cast<int>(Dialog.BorderStyle));
    if (n == "CAPTION") return Variant(Dialog.Caption);
    if (n == "COLOR") return Variant(Dialog.Color);
    if (n == "LEFT") return Variant(Dialog.Left);
    if (n == "TOP") return Variant(Dialog.Top);
    if (n == "WIDTH") return Variant(Dialog.Width);
    if (n == "HEIGHT") return Variant(Dialog.Height);
    if (n == "POSITION") return Variant(static_cast<int>(Dialog.Position));
    return Variant();
}

} // namespace vl
