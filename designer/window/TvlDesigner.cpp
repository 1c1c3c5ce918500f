#include "designer/window/TvlDesigner.h"

#include "designer/window/TvlDesignerForm.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/script/Errors.h"

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
        return form.modified();
    };
    g.preview().editPreparedPage = [](TvlReport& report, int pageIndex) {
        report.EditPreparedPage(pageIndex);
    };
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
