#include "engine/model/ObjectFactory.h"

#include "engine/model/ModelContext.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/model/ViewState.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlLocale.h"

#include <array>

namespace vl {

namespace {

constexpr int kBuiltInCodes = otLine + 1;

std::array<TvlViewFactory, kBuiltInCodes>& BuiltInClasses() {
    static std::array<TvlViewFactory, kBuiltInCodes> classes = {
        [] { return std::make_unique<TvlMemoView>(); },
        [] { return std::make_unique<TvlPictureView>(); },
        [] { return std::make_unique<TvlBandView>(); },
        [] { return std::make_unique<TvlSubReportView>(); },
        [] { return std::make_unique<TvlLineView>(); },
    };
    return classes;
}

} // namespace

void SetBuiltInClass(int typeCode, TvlViewFactory factory) {
    if (typeCode >= 0 && typeCode < kBuiltInCodes) BuiltInClasses()[typeCode] = std::move(factory);
}

std::unique_ptr<TvlView> CreateObject(TvlModelContext& engine, int typeCode,
                                      std::string_view className) {
    TvlViewState& state = engine.views();
    std::unique_ptr<TvlView> view;
    if (typeCode >= 0 && typeCode < kBuiltInCodes) {
        if (const TvlViewFactory& make = BuiltInClasses()[typeCode]) view = make();
    } else if (typeCode == otAddIn) {
        const TvlAddInEntry* entry = state.addIns.find(className);
        if (!entry) {
            state.errorFlag = true;
            state.errorText.append(className);
            state.errorText += '\r';
            throw ClassNotFoundError(state.errorText);
        }
        view = entry->create();
    }
    if (!view) return nullptr;
    view->JoinEngine(engine);
    view->ID = ++state.sequence;
    return view;
}

std::string NonPluggedComponentsText(std::string_view collected) {
    return "Report contains the following non-plugged components:\r" + std::string(collected) +
           "You must include these components into your project.";
}

void SetCalculationError(TvlViewState& state, std::string_view message,
                         std::string_view reportName) {
    const TvlView* view = state.currentView;
    std::string text = LoadResString(55200);
    if (view)
        for (const std::string& line : view->Memo)
            text += "\r" + line;
    text += "\r\r" + LoadResString(55201) + " " + std::string(reportName) + "\r";
    if (view) text += LoadResString(55202) + " " + view->Name + "\r";
    text += "\r" + std::string(message);
    state.errorFlag = true;
    state.errorText = std::move(text);
}

} // namespace vl
