#include "app/window/TFormPreview.h"
#include "designer/commands/TvlDesignerCommands.h"
#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/editors/TvlDesignerEditors.h"
#include "designer/editors/TvlExprForm.h"
#include "designer/editors/TvlFieldsForm.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/TvlDesigner.h"
#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/preview/PreviewSearch.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/BandType.h"
#include "engine/script/CodePage.h"
#include "tests/support/ListTexts.h"
#include "tests/support/ModalDialogs.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

// The window's "Edit report" opens the real designer on the organizer's
// report, with the organizer's data attached.
class EditReportTest : public ::testing::Test {
protected:
    EditReportTest() {
        vl::Globals().preview() = {};
        auto printers = std::make_unique<vl::QtPrinterSystem>();
        printers->setPdfPrinterOffered(true);
        vl::Globals().startPrinter(std::move(printers));
        const QDir from(QStringLiteral(SAMPLE_REPORTS "/TaskList"));
        const QString to = program.path() + QStringLiteral("/Reports/TaskList/");
        QDir().mkpath(to);
        for (const QString& file : from.entryList({QStringLiteral("*.vlf")}, QDir::Files))
            QFile::copy(from.filePath(file), to + file);
        designer = std::make_unique<vl::TvlDesigner>();
    }
    ~EditReportTest() override {
        window.reset();
        designer.reset();
        vl::Globals().startPrinter(nullptr);
    }

    vl::WindowServices services;
    QTemporaryDir program;
    std::unique_ptr<vl::TvlDesigner> designer;
    std::unique_ptr<TFormPreview> window;
};

// The first master data band of the page on the designer's surface.
const vl::TvlBandView* MasterBand(vl::TvlDesignerForm& designer) {
    for (const auto& object : designer.currentPage()->Objects)
        if (const auto* band = dynamic_cast<const vl::TvlBandView*>(object.get());
            band && band->bandType() == vl::btMasterData)
            return band;
    return nullptr;
}

} // namespace

TEST_F(EditReportTest, TheDesignerListsTheOrganizersFieldsAndPreviewsItsTasks) {
    window = std::make_unique<TFormPreview>(
        StartupOptions::fromArguments(program.path(), {QStringLiteral(SAMPLE_ORGANIZER)}));
    window->show();
    QApplication::processEvents();
    // builds without the progress window, as the window's own builds
    window->organizer().report().ShowProgress = false;
    vl::test::ModalDialogs dialogs;
    QStringList fieldSets, fields, chooserFields, previewWords;
    QString expression, dropped;
    dialogs.expect<vl::TvlDesignerForm>([&](vl::TvlDesignerForm& designer) {
        // the fields window
        designer.parts().showFieldsWindow(true);
        vl::TvlInsFieldsForm* window = designer.parts().fieldsWindow();
        if (!window) return designer.exit();
        auto* sets = window->findChild<QListWidget*>(QStringLiteral("DatasetsLB"));
        auto* names = window->findChild<QListWidget*>(QStringLiteral("FieldsLB"));
        fieldSets = vl::test::ListTexts(sets);
        const auto taskSet = sets->findItems(QStringLiteral("Tasks"), Qt::MatchExactly);
        if (!taskSet.isEmpty()) sets->setCurrentItem(taskSet.front());
        fields = vl::test::ListTexts(names);
        const auto name = names->findItems(QStringLiteral("Name"), Qt::MatchExactly);
        if (!name.isEmpty()) names->setCurrentItem(name.front());

        // the expression builder's data-field chooser
        dialogs.expect<vl::TvlExprForm>([&](vl::TvlExprForm& builder) {
            dialogs.expect<vl::TvlFieldsForm>([&](vl::TvlFieldsForm& chooser) {
                auto* chooserSets = chooser.findChild<QListWidget*>(QStringLiteral("DatasetsLB"));
                auto* list = chooser.findChild<QListWidget*>(QStringLiteral("FieldsLB"));
                const auto set = chooserSets->findItems(QStringLiteral("Tasks"), Qt::MatchExactly);
                if (!set.isEmpty()) chooserSets->setCurrentItem(set.front());
                chooserFields = vl::test::ListTexts(list);
                const auto due = list->findItems(QStringLiteral("DueDate"), Qt::MatchExactly);
                if (!due.isEmpty()) list->setCurrentItem(due.front());
                chooser.accept();
            });
            QTest::mouseClick(builder.findChild<QPushButton*>(QStringLiteral("InsDBBtn")),
                              Qt::LeftButton);
            expression =
                builder.findChild<QPlainTextEdit*>(QStringLiteral("ExprMemo"))->toPlainText();
            builder.reject();
        });
        designer.editors()->insertExpression();

        // a drop of the chosen field onto the master data band
        const vl::TvlBandView* band = MasterBand(designer);
        const std::unique_ptr<QMimeData> payload = window->StartFieldDrag();
        if (band && payload) {
            const QPoint at(band->Left + 300, band->Top + band->Height / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, payload.get(), Qt::LeftButton, {});
            QApplication::sendEvent(&designer.surface(), &enter);
            QDropEvent drop(at, Qt::CopyAction, payload.get(), Qt::LeftButton, {});
            QApplication::sendEvent(&designer.surface(), &drop);
            auto* memo =
                dynamic_cast<vl::TvlMemoView*>(designer.currentPage()->Objects.back().get());
            if (memo && !memo->Memo.empty()) dropped = vl::ToQt(memo->Memo.front());
            // wide enough that no name wraps
            if (memo) memo->Width = 400;
        }

        // the preview builds on the organizer's tasks
        dialogs.expect<vl::TvlPreviewForm>([&](vl::TvlPreviewForm& preview) {
            if (preview.ShownPages())
                for (const vl::DrawnText& t : vl::RecordPageTexts(*preview.ShownPages(), 0))
                    previewWords << t.text;
            preview.close();
        });
        designer.parts().commands().Preview();

        // closed without saving the change
        dialogs.expect<QMessageBox>(
            [](QMessageBox& question) { question.button(QMessageBox::No)->click(); });
        designer.exit();
    });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("bEdit")), Qt::LeftButton);
    EXPECT_EQ(dialogs.unanswered(), "");

    EXPECT_TRUE(fieldSets.contains(QStringLiteral("Tasks"))) << fieldSets.join(',').toStdString();
    EXPECT_TRUE(fieldSets.contains(QStringLiteral("Contacts")));
    for (const char* field : {"Name", "DueDate", "Category", "Status", "Notes"})
        EXPECT_TRUE(fields.contains(QLatin1String(field))) << field;
    EXPECT_TRUE(chooserFields.contains(QStringLiteral("DueDate")));
    EXPECT_EQ(expression, QStringLiteral("[Tasks.\"DueDate\"]"));
    EXPECT_EQ(dropped, QStringLiteral("[Tasks.\"Name\"]"));

    // The tasks' names show twice on the first page: in the template's own
    // column and in the dropped field.
    OrganizerStore store(QStringLiteral(SAMPLE_ORGANIZER));
    store.loadTasks();
    int twice = 0;
    for (const auto& task : store.tasks())
        if (previewWords.count(vl::ToQt(task->name())) >= 2) ++twice;
    EXPECT_GE(twice, 15) << previewWords.join('|').toStdString();
}
