#include "designer/editing/InspectorBridge.h"

#include "designer/editing/PageSelection.h"
#include "designer/inspector/TvlInspForm.h"
#include "designer/inspector/TvlInspRowList.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/CodePage.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"

#include <QMessageBox>
#include <algorithm>

namespace vl {

namespace {

constexpr int kDeleteObjectsWarning = 55436;
constexpr int kWarningCaption = 55437;
const char* const kUnset = "-";

bool listed(const TvlPropRec& property) {
    return property.propType != pkHidden;
}

StringList listedNames(const TvlObject& object, bool withSingle) {
    StringList names;
    for (const auto& property : object.properties())
        if (listed(*property) && (withSingle || !(property->propType & pkSingle)))
            names.push_back(property->name);
    return names;
}

// Keeps the names that the object lists too (without its single-object
// properties when several objects are inspected).
void keepCommon(StringList& names, const TvlObject& object, bool several) {
    const StringList own = listedNames(object, !several);
    std::erase_if(names, [&own](const std::string& name) {
        return std::none_of(own.begin(), own.end(),
                            [&name](const std::string& n) { return SameText(n, name); });
    });
}

std::string valueText(TvlObject& object, const std::string& name) {
    const TvlPropRec* property = object.FindProperty(name);
    if (property && (property->propType & pkEditor) && !(property->propType & pkText))
        return "(" + name + ")";
    return object.GetProperty(name).toString();
}

// The text the objects share; empty when they disagree.
void collect(std::string& collected, const std::string& text) {
    if (collected != kUnset && text != collected)
        collected.clear();
    else
        collected = text;
}

bool isRestricted(const TvlView& view, const std::string& name) {
    if ((SameText(name, "Left") || SameText(name, "Top")) && (view.Restrictions & rsNoMove))
        return true;
    return (SameText(name, "Width") || SameText(name, "Height")) &&
           (view.Restrictions & rsNoResize);
}

} // namespace

struct TvlInspectorBridge::Rows {
    StringList names;
    std::vector<std::string> values;
    std::vector<TvlObject*> inspected;
    TvlObject* source = nullptr; // kinds, editors and enumerations come from it
    TvlObject* object = nullptr; // the inspected object, none for several
    std::string objectName;
};

TvlInspectorBridge::TvlInspectorBridge(TvlDesignerHost& host, const TvlSurfaceHooks& hooks)
    : host_(host), hooks_(hooks) {
    confirm_ = [](const std::string& text, const std::string& caption) {
        return QMessageBox::warning(nullptr, ToQt(caption), ToQt(text),
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
}

TvlInspectorBridge::Rows TvlInspectorBridge::collectRows(TvlPage& page) const {
    Rows rows;
    const std::vector<TvlView*> views = host_.session().selected.in(page);
    if (views.empty()) {
        page.RegisterProperties();
        rows.names = listedNames(page, true);
        rows.inspected = {&page};
        rows.object = &page;
        rows.objectName = "Page" + std::to_string(host_.currentPageIndex() + 1);
    } else {
        const bool several = views.size() > 1;
        for (TvlView* view : views) {
            view->RegisterProperties();
            if (rows.inspected.empty())
                rows.names = listedNames(*view, !several);
            else
                keepCommon(rows.names, *view, several);
            rows.inspected.push_back(view);
        }
        if (!several) {
            rows.object = views.front();
            rows.objectName = views.front()->Name;
        }
    }
    rows.source = rows.inspected.back();
    std::stable_sort(rows.names.begin(), rows.names.end(),
                     [](const auto& a, const auto& b) { return CompareText(a, b) < 0; });
    for (const std::string& name : rows.names) {
        std::string collected = kUnset;
        for (TvlObject* object : rows.inspected)
            collect(collected, valueText(*object, name));
        rows.values.push_back(collected);
    }
    return rows;
}

bool TvlInspectorBridge::showsUnits(const TvlPage& page) const {
    return page.PageType == ptReport && host_.settings().units != duPixels;
}

void TvlInspectorBridge::addRows(const Rows& rows, TvlPage& page) {
    const bool units = showsUnits(page);
    for (std::size_t i = 0; i < rows.names.size(); ++i) {
        const TvlPropRec* property = rows.source->FindProperty(rows.names[i]);
        if (!property) continue;
        std::uint16_t kinds = property->propType;
        Variant value(rows.values[i]);
        if (kinds & pkSize) {
            if (kinds == pkSize) kinds |= units ? pkFloat : pkInteger;
            if (units && !rows.values[i].empty()) {
                try {
                    value = PixelsToUnits(StrToFloatAny(rows.values[i]), host_.settings().units);
                } catch (const ConversionError&) {
                }
            }
        }
        TvlPropEditor editor;
        if (editorFor_) {
            editor = editorFor_(*rows.source, *property);
        } else if (property->editor) {
            editor = [run = property->editor](TvlObject*) { run(); };
        }
        inspector_->AddRow(property->name, value, std::move(editor), property->enumNames.get(),
                           property->enumValues, kinds);
    }
}

void TvlInspectorBridge::FillInspector() {
    if (!inspector_ || applyingPage_) return;
    inspector_->ClearRows();
    inspector_->SetDecimalSeparator(host_.report().Engine().localeService().decimalSeparator());
    inspector_->SetObject({}, nullptr);
    if (TvlPage* page = host_.currentPage()) {
        const Rows rows = collectRows(*page);
        inspector_->SetObject(rows.objectName, rows.object);
        addRows(rows, *page);
    }
    inspector_->ShowRows();
}

Variant TvlInspectorBridge::toPixels(const TvlPage& page, const TvlPropRec* property,
                                     Variant value) const {
    if (!property || !(property->propType & pkSize) || !showsUnits(page)) return value;
    const double pixels = UnitsToPixels(value.toDouble(), host_.settings().units);
    if (property->propType & pkFloat) return Variant(pixels);
    return Variant(Nearest(pixels));
}

void TvlInspectorBridge::PropertyChanged(int row) {
    TvlPage* page = host_.currentPage();
    if (!inspector_ || !page || row < 0 || row >= inspector_->RowCount()) return;
    const std::string name = inspector_->rowList().row(row).name();
    try {
        const Variant value = inspector_->GetRowValue(row);
        if (host_.session().selected.countIn(*page) == 0)
            changePage(*page, name, value);
        else
            changeObjects(*page, name, value);
    } catch (...) {
        afterChange();
        throw;
    }
    afterChange();
}

void TvlInspectorBridge::changePage(TvlPage& page, const std::string& name, Variant value) {
    page.RegisterProperties();
    value = toPixels(page, page.FindProperty(name), std::move(value));
    const bool type = SameText(name, "Type");
    if (type && !page.Objects.empty()) {
        if (!confirm_(LoadResString(kDeleteObjectsWarning), LoadResString(kWarningCaption))) return;
        host_.selection().object = nullptr;
        host_.unselectAll();
        page.Objects.clear();
    }
    page.SetProperty(name, value);
    host_.setModified(true);
    page.SetPaper(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                  page.Orientation);
    if (!hooks_.selectPage) return;
    const ScopedValue suppress(applyingPage_, !type);
    hooks_.selectPage(host_.currentPageIndex());
}

void TvlInspectorBridge::changeObjects(TvlPage& page, const std::string& name,
                                       const Variant& value) {
    host_.takeSnapshot(skChange);
    for (TvlView* view : host_.session().selected.in(page)) {
        if (SameText(name, "Name")) {
            rename(page, *view, value.toString());
            continue;
        }
        if (isRestricted(*view, name)) continue;
        view->RegisterProperties();
        view->SetProperty(name, toPixels(page, view->FindProperty(name), value));
    }
}

void TvlInspectorBridge::rename(TvlPage& page, TvlView& view, const std::string& name) {
    const TvlView* holder = host_.report().FindObject(name);
    if (name.empty() || (holder && holder != &view) || (view.Restrictions & rsNoModify)) return;
    const std::string old = view.Name;
    for (const auto& other : page.Objects) {
        auto* band = dynamic_cast<TvlBandView*>(other.get());
        if (band && !old.empty() && SameText(band->ChildBand, old)) band->ChildBand = name;
    }
    view.SetProperty("Name", Variant(name));
}

void TvlInspectorBridge::afterChange() {
    FillInspector();
    if (inspector_) inspector_->update();
    hooks_.redraw();
    if (hooks_.updateTabs) hooks_.updateTabs();
    if (hooks_.refreshFieldsWindow) hooks_.refreshFieldsWindow();
    host_.updateStatus();
}

void TvlInspectorBridge::FillObjectList(StringList& target) {
    if (TvlPage* page = host_.currentPage())
        for (const auto& view : page->Objects)
            target.push_back(view->Name);
    for (int i = 0; i < host_.report().Pages().Count(); ++i)
        target.push_back("Page" + std::to_string(i + 1));
}

void TvlInspectorBridge::SelectByName(const std::string& name) {
    if (selectByName_) selectByName_(name);
}

void TvlInspectorBridge::ShowError(const std::string& message) {
    if (error_) error_(message);
}

} // namespace vl
