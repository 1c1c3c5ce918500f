#pragma once

#include "designer/editors/EditorHost.h"
#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/model/TvlBandView.h"
#include "tests/support/MemoryTable.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace vltest {

using namespace vl;

// The designer as the editors see it: a report with two data sources and
// a table, one page, and counters of the undo snapshots and redraws.
class FakeEditorHost : public TvlEditorHost {
public:
    FakeEditorHost() {
        Globals().components().add(&form);
        tasks.add("Name", TFieldType::ftString, Variant("Write report"));
        tasks.add("Due date", TFieldType::ftString, Variant("today"));
        report.Pages().Clear();
        page = &report.Pages().Add();
        Globals().chooserMemory() = {};
    }
    ~FakeEditorHost() override { Globals().components().remove(&form); }

    void beforeChange() override { ++snapshots; }
    void afterChange() override { ++redraws; }
    TvlDataDictionary& dictionary() override { return report.Dictionary(); }
    TvlViewPage* currentPage() override { return page; }

    TvlBandView& addBand(int type, const std::string& name, const std::string& text = {}) {
        auto view = std::make_unique<TvlBandView>();
        view->FrameTyp = static_cast<std::uint16_t>(type);
        view->Name = name;
        view->FormatStr = text;
        return static_cast<TvlBandView&>(page->AddObject(std::move(view)));
    }

    TvlComponent form{"Form1"};
    TvlReport report{"Report1", &form};
    // Report data sources (bands walk them) and a table (fields are read
    // from it).
    TvlUserDataset tasksSource{"Tasks", &form};
    TvlUserDataset contactsSource{"Contacts", &form};
    TvlUserDataset columnsSource{"Cols", &form};
    MemoryTable tasks{"DatasetTask", &form};
    TvlPage* page = nullptr;
    int snapshots = 0;
    int redraws = 0;
};

// Acts on the next modal dialog once it is shown, and closes it with
// Cancel if the action left it open, so that a failing test cannot hang.
template <typename Dialog> void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "expected dialog is not shown";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// The child of that object name, failing the test when there is none.
template <typename T> T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

} // namespace vltest
