#include "designer/window/InstallDesigner.h"

#include "designer/window/TvlDesignerForm.h"
#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"

#include <QApplication>

namespace vl {

void InstallDesigner() {
    RegisterDialogControls();
    TvlGlobals& g = Globals();
    g.designer().designReport = [](TvlReport& report) {
        TvlDesignerForm form(report, false, QApplication::activeWindow());
        return form.exec();
    };
    g.designer().editPage = [](TvlReport& report) {
        TvlDesignerForm form(report, true, QApplication::activeWindow());
        form.exec();
        return form.modified();
    };
    g.preview().editPreparedPage = [](TvlReport& report, int pageIndex) {
        report.EditPreparedPage(pageIndex);
    };
}

void UninstallDesigner() {
    TvlGlobals& g = Globals();
    g.designer().designReport = nullptr;
    g.designer().editPage = nullptr;
    g.preview().editPreparedPage = nullptr;
}

} // namespace vl
