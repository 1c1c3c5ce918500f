#include "engine/model/TvlView.h"

#include "engine/model/MeasuringCanvas.h"
#include "engine/model/ModelContext.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlControl.h"
#include "engine/model/ViewState.h"
#include "engine/script/Errors.h"
#include "engine/script/ExpressionScan.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/Stream.h"
#include "engine/script/TextUtils.h"

namespace vl {

namespace {

TvlViewHost& RequireHost(const TvlView& view) {
    TvlViewHost* host = view.viewState().host;
    if (!host) throw VlError("No report is attached to evaluate expressions");
    return *host;
}

bool NameTakenOnPage(const TvlViewPage* page, const std::string& name, const TvlView* self) {
    if (!page) return false;
    for (int i = 0; i < page->viewCount(); ++i) {
        const TvlView* v = page->viewAt(i);
        if (v && v != self && SameText(v->Name, name)) return true;
    }
    return false;
}

} // namespace

// An object belongs to the instance whose template load, build or designer
// makes it: the one the thread works for.
TvlView::TvlView() : model_(&ModelGlobals()) {
    const char separator = model_->script().localeService().decimalSeparator();
    Format = 2 * 256 + static_cast<std::uint8_t>(separator);
}

TvlViewState& TvlView::viewState() const {
    return model_->views();
}

TvlMeasuringCanvas& TvlView::measuringCanvas() const {
    return model_->measuringCanvas();
}

TvlView::~TvlView() {
    TvlViewState& state = viewState();
    if (state.currentView == this) state.currentView = nullptr;
}

void TvlView::SetProperty(std::string_view name, const Variant& value) {
    const std::string n = UpperName(name);
    if (n == "NAME")
        Name = value.toString();
    else if (n == "LEFT")
        Left = PropertyInt(name, value);
    else if (n == "TOP")
        Top = PropertyInt(name, value);
    else if (n == "WIDTH")
        Width = PropertyInt(name, value);
    else if (n == "HEIGHT")
        Height = PropertyInt(name, value);
    else if (n == "FLAGS")
        Flags = static_cast<std::uint16_t>(PropertyInt(name, value));
    else if (n == "FRAMETYP")
        FrameTyp = static_cast<std::uint16_t>(PropertyInt(name, value));
    else if (n == "FRAMEWIDTH")
        FrameWidth = static_cast<float>(PropertyFloat(name, value));
    else if (n == "FRAMECOLOR")
        FrameColor = PropertyInt(name, value);
    else if (n == "FRAMESTYLE")
        FrameStyle = static_cast<std::uint16_t>(PropertyInt(name, value));
    else if (n == "FILLCOLOR")
        FillColor = PropertyInt(name, value);
    else if (n == "TAG")
        Tag = value.toString();
    else if (n == "BANDALIGN")
        BandAlign = static_cast<std::uint8_t>(PropertyInt(name, value));
    else if (n == "VISIBLE")
        Visible = PropertyBool(name, value);
    else if (n == "MEMO" || n == "DATAFIELD")
        Memo = SplitLines(value.toString());
    else if (n == "GAPX")
        GapX = PropertyInt(name, value);
    else if (n == "GAPY")
        GapY = PropertyInt(name, value);
    else if (n == "STRETCHED") {
        if (PropertyBool(name, value))
            Flags |= flStretched;
        else
            Flags &= static_cast<std::uint16_t>(~flStretched);
    }
}

Variant TvlView::GetProperty(std::string_view name) {
    const std::string n = UpperName(name);
    if (n == "NAME") return Name;
    if (n == "LEFT") return Left;
    if (n == "TOP") return Top;
    if (n == "WIDTH") return Width;
    if (n == "HEIGHT") return Height;
    if (n == "FLAGS") return static_cast<int>(Flags);
    if (n == "FRAMETYP") return static_cast<int>(FrameTyp);
    if (n == "FRAMEWIDTH") return static_cast<double>(FrameWidth);
    if (n == "FRAMECOLOR") return static_cast<int>(FrameColor);
    if (n == "FRAMESTYLE") return static_cast<int>(FrameStyle);
    if (n == "FILLCOLOR") return static_cast<int>(FillColor);
    if (n == "TAG") return Tag;
    if (n == "BANDALIGN") return static_cast<int>(BandAlign);
    if (n == "VISIBLE") return Visible;
    if (n == "MEMO") return JoinLines(Memo);
    if (n == "MEMO.COUNT") return static_cast<int>(Memo.size());
    if (n == "GAPX") return GapX;
    if (n == "GAPY") return GapY;
    if (n == "STRETCHED") return isStretched();
    if (n == "DATAFIELD") return Memo.empty() ? std::string() : Memo.front();
    return {};
}

Variant TvlView::CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                            const Variant& p3) {
    Variant result = TvlObject::CallMethod(name, p1, p2, p3);
    if (!result.isNull()) return result;
    if (name == "HIDE") {
        SetProperty("Visible", false);
        return {};
    }
    if (name == "SHOW") {
        SetProperty("Visible", true);
        return {};
    }
    return CallListMethod(Memo, name, p1, p2, p3, "MEMO",
                          [this](const Variant& v) { return Evaluate(v); });
}

void TvlView::RegisterViewProperties(bool withFrame) {
    ClearProperties();
    AddProperty("Name", pkText | pkSingle);
    for (const char* n : {"Left", "Top", "Width", "Height"})
        AddProperty(n, pkSize);
    AddProperty("Flags", pkHidden);
    auto edit = [this](const char* prop) {
        return [this, prop] {
            if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, prop);
        };
    };
    if (withFrame) {
        AddProperty("FrameTyp", pkInteger);
        AddProperty("FrameWidth", pkSize | pkFloat);
        AddProperty("FrameColor", pkColor);
        AddEnumProperty("FrameStyle", "psSolid;psDash;psDot;psDashDot;psDashDotDot;psDouble",
                        {0, 1, 2, 3, 4, 5});
        AddProperty("FillColor", pkColor);
        AddProperty("Tag", pkEditor | pkSingle, edit("Tag"));
        AddEnumProperty("BandAlign", "baNone;baLeft;baRight;baCenter;baWidth;baBottom;baTop;baRest",
                        {0, 1, 2, 3, 4, 5, 6, 7});
    }
    AddProperty("Visible", pkBoolean);
    AddProperty("Memo", pkEditor | pkSingle, edit("Memo"));
    AddProperty("Memo.Count", pkHidden);
    AddProperty("Restrictions", pkEditor, edit("Restrictions"));
}

void TvlView::RegisterProperties() {
    const std::string cls = className();
    RegisterViewProperties(cls != "TvlBandView" && cls != "TvlSubReportView");
}

Variant TvlView::Evaluate(const Variant& argument) {
    return RequireHost(*this).evaluate(argument.toString());
}

std::string TvlView::ExpandText(std::string_view text) {
    std::string result(text);
    std::size_t pos = 0;
    // Quotes count only from the bracket on: "Bob's [Name]" has a bracket.
    while ((pos = result.find('[', pos)) != std::string::npos) {
        std::size_t start = pos, end = 0;
        const std::string inner(ReadBracketed(result, start, end));
        if (end >= result.size()) break; // never closed
        const std::string value = RequireHost(*this).expandBracket(inner, *this);
        result.replace(pos, end - pos + 1, value);
        pos += value.size();
    }
    return result;
}

void TvlView::MakeUniqueName() {
    Name.clear();
    const TvlViewState& state = viewState();
    for (int i = 1; i <= 10000; ++i) {
        const std::string candidate = BaseName + std::to_string(i);
        bool taken = state.host ? state.host->findObject(candidate) != nullptr
                                : NameTakenOnPage(state.designerPage, candidate, this) ||
                                      NameTakenOnPage(state.currentPage, candidate, this);
        if (const auto* control = dynamic_cast<const TvlControl*>(this);
            control && control->Control)
            taken = taken || control->Control->formHasComponent(candidate);
        if (!taken) {
            SetProperty("Name", candidate);
            return;
        }
    }
}

void TvlView::SetBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

TvlView* TvlView::FindOwnerBand() const {
    const TvlViewPage* page = viewState().designerPage;
    if (!page) return nullptr;
    TvlView* owner = nullptr;
    for (int i = 0; i < page->viewCount(); ++i) {
        TvlView* v = page->viewAt(i);
        if (!v || !dynamic_cast<TvlBandView*>(v)) continue;
        if (Left >= v->Left && Left <= v->Left + v->Width && Top >= v->Top &&
            Top <= v->Top + v->Height)
            owner = v;
    }
    return owner;
}

void TvlView::CopyFrom(TvlView& other) {
    Name = other.Name;
    Typ = other.Typ;
    WriteMode = wmTemplate;
    other.WriteMode = wmTemplate;
    const ScopedValue version(viewState().templateVersion, kCurrentTemplateVersion);
    MemoryStream stream;
    other.SaveToStream(stream);
    stream.seek(0);
    LoadFromStream(stream);
}

void TvlView::WriteRecordWithType(Stream& stream) {
    WriteByte(stream, Typ);
    if (Typ == otAddIn) WriteString(stream, className());
    SaveToStream(stream);
}

void TvlView::WritePrepared(Stream& stream) {
    TvlViewState& state = viewState();
    PrepareDraw(TvlDrawContext::at(&measuringCanvas().painter()));
    EvaluatedText = Memo;
    if (state.host) state.host->beforeObjectOutput(*this);
    if (!Script.empty() && state.host) state.host->runScript(*this, Script);
    if (!Visible) return;
    // the expanded tag goes into the record; the object keeps its own
    const ScopedValue<std::string> tag(Tag, Tag);
    {
        if (Tag.find('[') != std::string::npos) Tag = ExpandText(Tag);
        if (const TvlRuntimeBand* band = state.currentBand) {
            if (BandAlign == baBottom)
                Top = band->top() + band->height() - Height;
            else if (BandAlign == baTop)
                Top = band->top();
            else if (BandAlign == baWidth && IsCrossBandType(band->bandType()))
                Width = band->width();
        }
        WriteRecordWithType(stream);
    }
}

void TvlView::ExportToFilter() {
    if (TvlExportFilter* filter = viewState().exportFilter) filter->addObject(*this, Left, Top);
}

Variant TvlStretcheable::CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                                    const Variant& p3) {
    if (name == "CALCHEIGHT") return CalcHeight();
    return TvlView::CallMethod(name, p1, p2, p3);
}

} // namespace vl
