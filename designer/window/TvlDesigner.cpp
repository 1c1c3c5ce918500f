#include "designer/window/TvlDesigner.h"

#include "designer/window/TvlDesignerForm.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <QApplication>

namespace vl {

namespace {

TvlDesigner* current = nullptr;

} // namespace

TvlDesigner::TvlDesigner(TvlEngine& engine) : engine_(engine) {
    if (current) throw VlError("You already have one TvlDesigner component");
    current = this;
    TvlEngine& g = engine_;
    RegisterDialogControls(g.views().addIns);
    g.designer().designReport = [this](TvlReport& report) {
        TvlDesignerForm form(report, false, QApplication::activeWindow(), &session_);
        return form.exec();
    };
    g.designer().editPage = [this](TvlReport& report) {
        TvlDesignerForm form(report, true, QApplication::activeWindow(), &session_);
        form.exec();
        return form.modified() && keepEditedPage();
    };
    g.preview().editPreparedPage = [](TvlReport& report, int pageIndex) {
        report.EditPreparedPage(pageIndex);
    };
}

bool TvlDesigner::keepEditedPage() const {
    constexpr int kSaveChangesId = 55306;
    constexpr int kConfirmId = 55006;
    constexpr int kYesNoQuestion = 0x04 | 0x20;
    constexpr int kModalYes = 6;
    return engine_.uiService().messageBox(LoadResString(kSaveChangesId) + "?",
                                          LoadResString(kConfirmId), kYesNoQuestion) == kModalYes;
}

TvlDesigner::~TvlDesigner() {
    TvlEngine& g = engine_;
    g.designer().designReport = nullptr;
    g.designer().editPage = nullptr;
    g.preview().editPreparedPage = nullptr;
    current = nullptr;
}

TvlDesigner* TvlDesigner::Current() {
    return current;
}

} // namespace vl
