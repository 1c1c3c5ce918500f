#include "engine/model/TvlBandView.h"

#include "engine/model/ViewDrawing.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/script/CodePage.h"
#include "engine/script/Stream.h"
#include "engine/script/TvlLocale.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <vector>

namespace vl {

namespace {

constexpr int kFirstBandTitle = 55077;

struct BandFlag {
    std::uint16_t bit;
    const char* property;
    const char* menuText;
    bool allSelected; // the menu entry changes every selected object
    std::vector<int> types;
};

const std::array<BandFlag, 8>& BandFlags() {
    static const std::array<BandFlag, 8> flags = {{
        {TvlBandView::bfStretched,
         "Stretched",
         "Stretched",
         true,
         {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 18, 21}},
        {TvlBandView::bfFormNewPage,
         "FormNewPage",
         "Force new page",
         true,
         {0, 1, 5, 6, 8, 9, 11, 12, 16}},
        {TvlBandView::bfPrintIfSubsetEmpty,
         "PrintIfSubsetEmpty",
         "Print if detail empty",
         true,
         {5, 8}},
        {TvlBandView::bfBreaked,
         "Breaked",
         "Breaked",
         true,
         {0, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 21}},
        {TvlBandView::bfOnFirstPage, "OnFirstPage", "On first page", false, {2, 3}},
        {TvlBandView::bfOnLastPage, "OnLastPage", "On last page", false, {3}},
        {TvlBandView::bfRepeatHeader,
         "RepeatHeader",
         "Show on all pages",
         false,
         {4, 7, 10, 16, 18}},
        {TvlBandView::bfPrintChildIfInvisible,
         "PrintChildIfInvisible",
         "Print childs if invisible",
         false,
         {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}},
    }};
    return flags;
}

const BandFlag* FlagByProperty(std::string_view upperName) {
    for (const BandFlag& f : BandFlags())
        if (UpperName(f.property) == upperName) return &f;
    return nullptr;
}

bool IsDataBand(int type) {
    return type == 5 || type == 8 || type == 11;
}

// While its report builds, a band's properties are those of its run.
bool Output(const TvlView& view) {
    return view.viewState().building;
}

const char* XmlClassName(int type) {
    switch (type) {
    case 0:
        return "TvlReportTitle";
    case 1:
        return "TvlReportSummary";
    case 2:
        return "TvlPageHeader";
    case 3:
        return "TvlPageFooter";
    case 4:
    case 7:
    case 10:
        return "TvlHeader";
    case 5:
        return "TvlMasterData";
    case 6:
    case 9:
    case 12:
        return "TvlFooter";
    case 8:
        return "TvlDetailData";
    case 11:
        return "TvlSubDetailData";
    case 14:
        return "TvlColumnHeader";
    case 15:
        return "TvlColumnFooter";
    case 16:
        return "TvlGroupHeader";
    case 17:
        return "TvlGroupFooter";
    case 21:
        return "TvlChild";
    default:
        return nullptr;
    }
}

} // namespace

TvlBandView::TvlBandView() {
    Typ = otBand;
    BaseName = "Band";
    Format = 0;
    Flags = bfOnFirstPage | bfOnLastPage;
}

std::string TvlBandView::BandTitle(int bandType) {
    if (bandType < 0 || bandType >= kBandTypeCount) return {};
    return LoadResString(kFirstBandTitle + bandType);
}

std::vector<TvlBandView::OfferedFlag> TvlBandView::OfferedFlags(int bandType) {
    std::vector<OfferedFlag> offered;
    for (const BandFlag& f : BandFlags())
        if (std::find(f.types.begin(), f.types.end(), bandType) != f.types.end())
            offered.push_back({f.bit, f.menuText, f.allSelected});
    return offered;
}

bool TvlBandView::FlagOffered(std::uint16_t flag, int bandType) {
    for (const BandFlag& f : BandFlags())
        if (f.bit == flag)
            return std::find(f.types.begin(), f.types.end(), bandType) != f.types.end();
    return false;
}

void TvlBandView::SetProperty(std::string_view name, const Variant& value) {
    const std::string n = UpperName(name);
    TvlRuntimeBand* band = Output(*this) ? ParentBand : nullptr;
    if (n == "ONBEFOREPRINT") {
        Memo = SplitLines(value.toString());
    } else if (n == "CHILDBAND") {
        ChildBand = value.toString();
        if (band) band->setChildBand(ChildBand);
    } else if (n == "MASTER") {
        Master = value.toString();
    } else if (n == "CONDITION") {
        FormatStr = value.toString();
        if (band) band->setGroupCondition(FormatStr);
    } else if (n == "DATASOURCE") {
        FormatStr = value.toString();
        if (band) band->bindDataSource(FormatStr);
    } else if (n == "COLUMNS") {
        Columns = PropertyInt(name, value);
    } else if (n == "COLUMNGAP") {
        ColumnGap = PropertyInt(name, value);
    } else if (n == "COLUMNWIDTH") {
        ColumnWidth = PropertyInt(name, value);
    } else if (n == "NEWCOLUMNAFTER") {
        NewColumnAfter = PropertyInt(name, value);
    } else if (const BandFlag* f = FlagByProperty(n)) {
        const bool on = PropertyBool(name, value);
        if (on)
            Flags |= f->bit;
        else
            Flags &= static_cast<std::uint16_t>(~f->bit);
        if (band && f->bit == bfBreaked) band->setPageBreak(on);
    } else {
        TvlView::SetProperty(name, value);
        if (!band) return;
        if (n == "LEFT")
            band->setLeft(Left);
        else if (n == "TOP")
            band->setTop(Top);
        else if (n == "WIDTH")
            band->setWidth(Width);
        else if (n == "HEIGHT")
            band->setHeight(Height);
        else if (n == "VISIBLE")
            band->setVisible(Visible);
    }
}

Variant TvlBandView::GetProperty(std::string_view name) {
    const std::string n = UpperName(name);
    const TvlRuntimeBand* band = Output(*this) ? ParentBand : nullptr;
    if (n == "ONBEFOREPRINT") return JoinLines(Memo);
    if (n == "CHILDBAND") return ChildBand;
    if (n == "MASTER") return Master;
    if (n == "CONDITION" || n == "DATASOURCE") return FormatStr;
    if (n == "COLUMNS") return Columns;
    if (n == "COLUMNGAP") return ColumnGap;
    if (n == "COLUMNWIDTH") return ColumnWidth;
    if (n == "NEWCOLUMNAFTER") return NewColumnAfter;
    // Without a runtime band or a data source there is nothing to read.
    if (n == "EOF") return band && band->hasDataSource() ? band->dataSourceEof() : true;
    if (const BandFlag* f = FlagByProperty(n)) {
        if (band && f->bit == bfBreaked) return band->pageBreak();
        return (Flags & f->bit) != 0;
    }
    if (band) {
        if (n == "LEFT") return band->left();
        if (n == "TOP") return band->top();
        if (n == "WIDTH") return band->width();
        if (n == "HEIGHT") return band->height();
        if (n == "VISIBLE") return band->visible();
    }
    return TvlView::GetProperty(name);
}

Variant TvlBandView::CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                                const Variant& p3) {
    Variant result = TvlView::CallMethod(name, p1, p2, p3);
    if (!result.isNull() || !ParentBand || !ParentBand->hasDataSource()) return result;
    if (name == "NEXT")
        ParentBand->dataSourceNext();
    else if (name == "PRIOR")
        ParentBand->dataSourcePrior();
    else if (name == "FIRST")
        ParentBand->dataSourceFirst();
    return {};
}

std::string TvlBandView::BandNames(std::initializer_list<int> types) const {
    std::string names;
    const TvlViewPage* page = viewState().designerPage;
    if (!page) return names;
    for (int i = 0; i < page->viewCount(); ++i) {
        const auto* band = dynamic_cast<const TvlBandView*>(page->viewAt(i));
        if (!band || band == this) continue;
        if (std::find(types.begin(), types.end(), band->bandType()) == types.end()) continue;
        if (!names.empty()) names += ';';
        names += band->Name;
    }
    return names;
}

void TvlBandView::RegisterProperties() {
    TvlView::RegisterProperties();
    const int t = bandType();
    auto edit = [this](const char* prop) {
        return [this, prop] {
            if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, prop);
        };
    };
    if (t != 3) {
        AddEnumProperty("ChildBand", BandNames({21}), {});
        AddProperty("PrintChildIfInvisible", pkBoolean);
    }
    for (const BandFlag& f : BandFlags())
        if (f.bit != bfPrintChildIfInvisible && FlagOffered(f.bit, t))
            AddProperty(f.property, pkBoolean);
    if (t == 19) AddProperty("DataSource", pkEditor, edit("CrossDataSource"));
    if (IsDataBand(t)) {
        AddProperty("Columns", pkInteger);
        AddProperty("ColumnWidth", pkSize);
        AddProperty("ColumnGap", pkSize);
        AddProperty("DataSource", pkEditor, edit("DataSource"));
    }
    if (t == 16) {
        AddProperty("Condition", pkText);
        AddEnumProperty("Master", BandNames({5, 8, 11}), {});
    }
    AddProperty("EOF", pkHidden);
    if (TvlPropRec* memo = FindProperty("Memo")) memo->name = "OnBeforePrint";
}

int TvlBandView::TitleTabWidth() const {
    const QFontMetrics fm(ViewFont("Arial", 8));
    const int width = fm.horizontalAdvance(ToQt(BandTitle(bandType())));
    return width < 92 ? 100 : width + 8;
}

TvlRect TvlBandView::TitleTab() const {
    const int tw = TitleTabWidth();
    if (IsCrossBandType(bandType())) return {Left - 18, Top, Left, Top + tw};
    return {Left, Top - 18, Left + tw, Top};
}

void TvlBandView::DrawTitle(QPainter& p) {
    const std::string title = BandTitle(bandType());
    const bool cross = IsCrossBandType(bandType());
    const int textWidth = QFontMetrics(p.font()).horizontalAdvance(ToQt(title));
    if (!viewState().showBandTitles) {
        if (cross)
            DrawRotatedTextAt(p, Left + 2, Top + 94, title);
        else
            DrawTextAt(p, Left + 4, Top + 2, title);
        return;
    }
    const TvlRect tab = TitleTab();
    const QRect r(tab.Left, tab.Top, tab.width(), tab.height());
    p.fillRect(r, ToQColor(clBtnFace));
    // A raised edge: highlight on the top and left, shadow and black below.
    p.fillRect(r.left(), r.top(), r.width(), 1, ToQColor(clBtnHighlight));
    p.fillRect(r.left(), r.top(), 1, r.height(), ToQColor(clBtnHighlight));
    p.fillRect(r.right(), r.top(), 1, r.height(), Qt::black);
    p.fillRect(r.right() - 1, r.top() + 1, 1, r.height() - 1, ToQColor(clBtnShadow));
    if (cross) {
        p.fillRect(r.left(), r.bottom(), r.width(), 1, Qt::black);
        p.fillRect(r.left() + 1, r.bottom() - 1, r.width() - 1, 1, ToQColor(clBtnShadow));
        DrawRotatedTextAt(p, Left - 15, Top + textWidth + 4, title);
    } else {
        DrawTextAt(p, Left + 4, Top - 17, title);
    }
}

void TvlBandView::Draw(const TvlDrawContext& context) {
    FrameWidth = 1;
    const TvlViewState& state = viewState();
    const TvlViewPage* page = context.mode == rmOutput ? state.currentPage : state.designerPage;
    if (page) {
        if (IsCrossBandType(bandType())) {
            Top = 0;
            Height = page->pixelHeight();
        } else {
            Left = 0;
            Width = page->pixelWidth();
        }
    }
    PrepareDraw(context);
    ScaleForOutput();
    if (Canvas && !state.noDrawing) {
        QPainter& p = *Canvas;
        p.save();
        p.fillRect(QRect(DRect.Left, DRect.Top, DRect.width(), DRect.height()),
                   BandBackgroundBrush());
        p.setFont(ViewFont("Arial", 8));
        p.setPen(QPen(ToQColor(clBtnFace), 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(Left, Top, Width, Height);
        if (Columns > 1) {
            const int L = page ? page->leftEdge() : 0;
            p.setPen(QPen(Qt::black, 0, Qt::DotLine));
            // Columns past the band's right end are not visible; a damaged
            // count must not keep the designer drawing for ever.
            const std::int64_t step = std::int64_t{ColumnWidth} + ColumnGap;
            for (std::int64_t i = 0, x = L; i < Columns && x <= Left + Width; ++i, x += step) {
                p.drawRect(static_cast<int>(x), Top, ColumnWidth - 1, Height);
                if (step <= 0) break;
            }
        }
        p.setPen(Qt::black);
        DrawTitle(p);
        p.restore();
    }
    RestoreGeometry();
}

QRegion TvlBandView::CreateClipRegion(bool extended) {
    if (!viewState().showBandTitles) return TvlView::CreateClipRegion(extended);
    QRegion region = extended ? QRegion(Left - 10, Top - 10, Width + 21, Height + 21)
                              : QRegion(Left, Top, Width + 1, Height + 1);
    const TvlRect tab = TitleTab();
    return region.united(QRegion(tab.Left, tab.Top, tab.width(), tab.height()));
}

void TvlBandView::SaveToStream(Stream& stream) {
    VersionMinor = 1;
    TvlView::SaveToStream(stream);
    WriteString(stream, ChildBand);
    WriteInteger(stream, Columns);
    WriteInteger(stream, ColumnWidth);
    WriteInteger(stream, ColumnGap);
    WriteInteger(stream, NewColumnAfter);
    WriteString(stream, Master);
}

void TvlBandView::LoadFromStream(Stream& stream) {
    TvlView::LoadFromStream(stream);
    const int v = viewState().templateVersion;
    if (v <= 23) return;
    ChildBand = ReadStringFor(stream, v);
    Columns = ReadInteger(stream);
    ColumnWidth = ReadInteger(stream);
    ColumnGap = ReadInteger(stream);
    NewColumnAfter = ReadInteger(stream);
    if (VersionMajor * 10 + VersionMinor > 20) Master = ReadStringFor(stream, v);
}

void TvlBandView::WriteXml(Stream& stream) {
    const int t = bandType();
    const char* cls = XmlClassName(t);
    if (!cls) return;
    WriteText(stream, std::string("<") + cls);
    auto attr = [&](std::string_view n, std::string_view v) { WriteXmlAttr(stream, n, v); };
    auto num = [&](std::string_view n, long long v) { attr(n, std::to_string(v)); };
    attr("Name", EscapeXml(Name));
    num("Left", Left);
    num("Top", Top);
    num("Width", Width);
    num("Height", Height);
    num("Columns", Columns);
    num("ColumnWidth", ColumnWidth);
    num("ColumnGap", ColumnGap);
    if (!Visible) attr("Visible", "False");
    if (Flags & bfStretched) attr("Stretched", "True");
    if (Flags & bfFormNewPage) attr("StartNewPage", "True");
    if (Flags & bfPrintIfSubsetEmpty) attr("PrintIfDetailEmpty", "True");
    if (Flags & bfBreaked) attr("AllowSplit", "True");
    if (!(Flags & bfOnFirstPage)) attr("PrintOnFirstPage", "False");
    if (!(Flags & bfOnLastPage)) attr("PrintOnLastPage", "False");
    if (Flags & bfRepeatHeader) attr("ReprintOnNewPage", "True");
    if (Flags & bfPrintChildIfInvisible) attr("PrintChildIfInvisible", "True");
    if (!Script.empty()) attr("OnBeforePrint", Name + "OnBeforePrint");
    if (IsDataBand(t)) attr("DataSet", EscapeXml(FormatStr));
    if (t == 16) attr("Condition", EscapeXml(FormatStr));
}

} // namespace vl
