#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/window/DesignerActions.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/TvlDesignerForm.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/BandType.h"
#include "tests/support/ListTexts.h"
#include "tests/support/ModalDialogs.h"
#include "tools/vellum/Commands.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

// "vellum design" opens the real designer: on a file that does not exist
// yet it starts a blank report that saves there, and with --organizer its
// field lists hold the organizer's fields.
TEST(DesignCommandTest, ANewFileStartsBlankWithTheOrganizersFieldsAndSavesThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("New.vlf"));
    ModalDialogs dialogs;
    QStringList sets, fields;
    int pages = 0, objects = -1;
    dialogs.expect<TvlDesignerForm>([&](TvlDesignerForm& designer) {
        pages = designer.report().Pages().Count();
        objects = static_cast<int>(designer.report().Pages()[0].Objects.size());
        designer.parts().showFieldsWindow(true);
        if (TvlInsFieldsForm* window = designer.parts().fieldsWindow()) {
            auto* list = window->findChild<QListWidget*>(QStringLiteral("DatasetsLB"));
            sets = ListTexts(list);
            const auto tasks = list->findItems(QStringLiteral("Tasks"), Qt::MatchExactly);
            if (!tasks.isEmpty()) list->setCurrentItem(tasks.front());
            fields = ListTexts(window->findChild<QListWidget*>(QStringLiteral("FieldsLB")));
        }
        // a band, saved into the new file
        auto band = std::make_unique<TvlBandView>();
        band->Name = "Title";
        band->FrameTyp = static_cast<std::uint16_t>(btReportTitle);
        band->SetBounds(0, 20, 400, 30);
        designer.report().Pages()[0].AddObject(std::move(band));
        designer.setModified(true);
        designer.actions().saveEntry->trigger();
        designer.exit();
    });
    const int status =
        vellum_cli::RunCommandLine({QStringLiteral("design"), path, QStringLiteral("--organizer"),
                                    QStringLiteral(SAMPLE_ORGANIZER)});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(objects, 0);
    EXPECT_TRUE(sets.contains(QStringLiteral("Tasks"))) << sets.join(',').toStdString();
    EXPECT_TRUE(fields.contains(QStringLiteral("DueDate")));
    ASSERT_TRUE(QFile::exists(path));
    TvlReport saved;
    ASSERT_TRUE(saved.LoadFromFile(path));
    EXPECT_NE(saved.FindObject("Title"), nullptr);
}

} // namespace
} // namespace vl::test
