#pragma once

#include "designer/editors/ChooserMemory.h"
#include "designer/editors/EditorHost.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/model/TvlBandView.h"
#include "tests/support/MemoryTable.h"
#include "tests/support/ModalDialogs.h"

#include <QListWidget>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace vltest {

using namespace vl;
using vl::test::ModalDialogs;

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
    }
    ~FakeEditorHost() override { Globals().components().remove(&form); }

    void beforeChange() override { ++snapshots; }
    void afterChange() override { ++redraws; }
    TvlDataDictionary& dictionary() override { return report.Dictionary(); }
    TvlViewPage* currentPage() override { return page; }
    TvlChooserMemory& chooserMemory() override { return choosers; }

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
    TvlChooserMemory choosers;
    int snapshots = 0;
    int redraws = 0;
};

// The child of that object name, failing the test when there is none.
template <typename T> T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The text of the list's row, or of its current row; empty when there is
// no such row, so that a case fails on it instead of stopping the program.
inline QString ItemText(const QListWidget* list, int row) {
    const QListWidgetItem* item = list ? list->item(row) : nullptr;
    return item ? item->text() : QString();
}
inline QString CurrentText(const QListWidget* list) {
    return list ? ItemText(list, list->currentRow()) : QString();
}

} // namespace vltest
