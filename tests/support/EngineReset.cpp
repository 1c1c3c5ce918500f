#include "tests/support/EngineReset.h"

#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/ViewState.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/PrinterSystem.h"
#include "engine/script/LocaleService.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "engine/script/UiService.h"

namespace vltest {

namespace {

void resetViews(vl::TvlViewState& s) {
    s.building = false;
    s.noDrawing = false;
    s.currentView = nullptr;
    s.currentBand = nullptr;
    s.currentPage = nullptr;
    s.designerPage = nullptr;
    s.templateVersion = vl::kCurrentTemplateVersion;
    s.errorFlag = false;
    s.errorText.clear();
    s.addIns.clear();
    s.host = nullptr;
    s.exportFilter = nullptr;
    s.designer = nullptr;
    s.showBandTitles = true;
}

} // namespace

void ResetEngine() {
    vl::TvlEngine& g = vl::Globals();
    resetViews(g.views());
    // installed band extensions stay
    g.lastTotalPages() = 0;
    vl::TvlScriptContext& script = g.script();
    script.stopRequested() = false;
    script.clearInterrupt();
    script.limits() = vl::EngineLimits{};
    script.deadline() = 0;
    g.globalVariables().Clear();
    g.globalParser().OnGetValue = nullptr;
    g.globalParser().OnCallFunction = nullptr;
    g.globalParser().BoundTo = nullptr;
    g.globalInterpretator().SetBinding(nullptr);
    g.setUiService(nullptr);
    g.setProgressWindow(nullptr);
    g.setLinkOpener(nullptr);
    g.startPrinter(nullptr);
    // the locale the process started in, separators and all
    g.localeService() = vl::LocaleService();
}

} // namespace vltest
