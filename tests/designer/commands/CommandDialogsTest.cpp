#include "designer/commands/TvlDesOptionsForm.h"
#include "designer/commands/TvlInsertFieldsForm.h"
#include "designer/commands/TvlPgoptForm.h"
#include "designer/commands/TvlTemplForm.h"
#include "designer/commands/TvlTemplNewForm.h"
#include "designer/commands/WidgetAsk.h"
#include "designer/dictionary/TvlDictForm.h"
#include "tests/designer/commands/CommandsFixture.h"
#include "tests/support/MemoryTable.h"
#include "tests/support/ModalDialogs.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace vltest;

namespace {

QRect ItemRect(QListWidget* list, int row) {
    return list->visualItemRect(list->item(row));
}

} // namespace

// "New report" always leads on: the blank report comes first and starts
// selected, then the folder's skeletons by name.
TEST_F(CommandsFixture, NewReportOffersABlankReportAndListsSkeletonsByName) {
    const QString folder = dir.path() + QLatin1Char('/');
    SaveTemplateFile(report, path("Tasks.vlt"), {{"All open tasks", "by due date"}, {}});
    SaveTemplateFile(report, path("Birthdays.vlt"), {{"Birthdays"}, {}});
    QFile(path("notes.txt")).open(QIODevice::WriteOnly);
    QDir().mkpath(path("Folder.vlt"));

    TvlTemplForm form(folder);
    form.show();
    QListWidget* list = form.templateList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Blank report"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Birthdays"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Tasks"));
    EXPECT_TRUE(form.okButton()->isEnabled());
    EXPECT_TRUE(form.blankChosen());
    EXPECT_TRUE(form.chosenFile().isEmpty());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, ItemRect(list, 2).center());
    EXPECT_FALSE(form.blankChosen());
    EXPECT_EQ(form.description()->toPlainText(), QStringLiteral("All open tasks\nby due date"));
    EXPECT_EQ(form.chosenFile(), folder + QStringLiteral("Tasks.vlt"));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ItemRect(list, 2).center());
    EXPECT_EQ(form.result(), QDialog::Accepted);

    // an empty folder still offers the blank report
    QTemporaryDir empty;
    TvlTemplForm none(empty.path() + QLatin1Char('/'));
    EXPECT_EQ(none.templateList()->count(), 1);
    EXPECT_TRUE(none.okButton()->isEnabled());
}

// Choosing the blank report starts one, asking first to save a change.
TEST_F(CommandsFixture, NewWithTheBlankReportStartsAnEmptyPage) {
    report.Pages()[0].Name = "Old";
    report.Pages().Add();
    host.modified_ = true;
    ask.blankTemplate = true;
    ask.saveAnswers = {TvlAnswer::No};
    commands.NewFromTemplate();
    ASSERT_EQ(report.Pages().Count(), 1);
    EXPECT_TRUE(report.Pages()[0].Objects.empty());
    EXPECT_EQ(host.documentName(), TvlDesignerCommands::UntitledName());
    EXPECT_TRUE(ask.saveAnswers.empty()) << "the save question was asked";
}

TEST_F(CommandsFixture, ANewSkeletonTakesItsDescriptionAndABitmapOnly) {
    TvlTemplNewForm form;
    form.show();
    QTest::keyClicks(form.comment(), QStringLiteral("Tasks"));
    QTest::keyClick(form.comment(), Qt::Key_Return);
    QTest::keyClicks(form.comment(), QStringLiteral("due first"));

    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::blue);
    ASSERT_TRUE(icon.save(path("icon.bmp"), "BMP"));
    ASSERT_TRUE(icon.save(path("icon.png"), "PNG"));
    EXPECT_FALSE(form.loadPicture(path("icon.png")));
    EXPECT_TRUE(form.header().Picture.empty());
    EXPECT_TRUE(form.loadPicture(path("icon.bmp")));

    const TvlTemplateHeader header = form.header();
    EXPECT_EQ(header.Description, (StringList{"Tasks", "due first"}));
    EXPECT_EQ(header.image().size(), QSize(16, 16));
}

TEST_F(CommandsFixture, ThePageOptionsDialogEditsEveryValue) {
    TvlPageOptionValues values;
    values.paperWidth = QStringLiteral("100");
    values.leftMargin = QStringLiteral("10");
    TvlPgoptForm form(values, {QStringLiteral("A4"), QStringLiteral("Custom")},
                      {QStringLiteral("Auto")});
    form.show();
    EXPECT_EQ(form.widthEdit()->text(), QStringLiteral("100"));
    EXPECT_EQ(form.marginEdit(0)->text(), QStringLiteral("10"));
    form.paperBox()->setCurrentIndex(1);
    form.heightEdit()->setText(QStringLiteral("200,5"));
    form.marginEdit(3)->setText(QStringLiteral("7"));
    form.columnsEdit()->setText(QStringLiteral("3"));
    const TvlPageOptionValues edited = form.values();
    EXPECT_EQ(edited.paperIndex, 1);
    EXPECT_EQ(edited.paperHeight, QStringLiteral("200,5"));
    EXPECT_EQ(edited.bottomMargin, QStringLiteral("7"));
    EXPECT_EQ(edited.columns, QStringLiteral("3"));
    EXPECT_EQ(edited.leftMargin, QStringLiteral("10"));
}

TEST_F(CommandsFixture, TheDesignerOptionsDialogWritesTheSettings) {
    TvlDesignerSettings settings;
    settings.gridSize = 8;
    settings.pagePosition = 3;
    TvlEditorFonts fonts;
    fonts.scriptSize = 12;
    TvlDesOptionsForm form(settings, fonts);
    form.show();
    EXPECT_EQ(form.scriptSizeBox()->value(), 12);
    form.scriptSizeBox()->setValue(14);
    EXPECT_EQ(form.gridGroup()->checkedId(), 8);
    EXPECT_EQ(form.positionGroup()->checkedId(), 3);
    form.gridGroup()->button(18)->click();
    form.unitsGroup()->button(duMillimetres)->click();
    form.coloredButtons()->click();
    const TvlDesignerSettings edited = form.settings();
    EXPECT_EQ(edited.gridSize, 18);
    EXPECT_EQ(edited.units, duMillimetres);
    EXPECT_TRUE(edited.grayButtons);
    EXPECT_EQ(edited.pagePosition, 3);
    EXPECT_EQ(form.fonts().scriptSize, 14);
    EXPECT_EQ(form.fonts().scriptName, QStringLiteral("Courier New")); // not its substitute
}

TEST_F(CommandsFixture, TheInsertFieldsDialogOffersTheDictionarysDataSets) {
    MemoryTable orders{"Orders", &form};
    MemoryTable customers{"Customers", &form};
    for (const char* name : {"Name", "City", "Phone"})
        customers.add(name, TFieldType::ftString, Variant(std::string()));
    TvlInsertFieldsForm dialog(report.Dictionary());
    dialog.show();
    ASSERT_EQ(dialog.dataSetBox()->count(), 2);
    dialog.dataSetBox()->setCurrentIndex(dialog.dataSetBox()->findText("Customers"));
    QListWidget* fields = dialog.fieldList();
    ASSERT_GE(fields->count(), 3);
    for (int i = fields->count() - 1; i >= 0; --i)
        if (fields->item(i)->text() != QStringLiteral("City")) fields->item(i)->setSelected(true);
    dialog.vertical()->click();
    dialog.headers()->click();
    const TvlFieldBlockChoice choice = dialog.choice();
    EXPECT_EQ(choice.dataSet, "Customers");
    StringList expected;
    for (int i = 0; i < fields->count(); ++i)
        if (fields->item(i)->text() != QStringLiteral("City"))
            expected.push_back(FromQt(fields->item(i)->text()));
    EXPECT_EQ(choice.fields, expected); // list order, not the order of selecting
    EXPECT_FALSE(choice.horizontal);
    EXPECT_TRUE(choice.headers);
    EXPECT_FALSE(choice.bands);
}

// The dictionary editor through the windows: Cancel leaves the report as
// it was, OK copies the edits back.
TEST_F(CommandsFixture, TheWidgetAskRunsTheDictionaryEditorOnAWorkingCopy) {
    TvlWidgetAsk windows(nullptr);
    TvlDesignerCommands real(host, windows);
    vl::test::ModalDialogs dialogs;
    const auto closeWith = [&dialogs](bool accept) {
        dialogs.expect<TvlDictForm>([accept](TvlDictForm& form) {
            const_cast<TvlVariables&>(form.workingVariables()).SetVariable("Added", Variant(1));
            accept ? form.accept() : form.reject();
        });
    };
    closeWith(false);
    real.DataDictionary();
    // the edit was made, and Cancel dropped it
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(report.Dictionary().Variables.IndexOf("Added"), -1);
    EXPECT_FALSE(host.modified());

    closeWith(true);
    real.DataDictionary();
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_GE(report.Dictionary().Variables.IndexOf("Added"), 0);
    EXPECT_TRUE(host.modified());
    EXPECT_EQ(host.fieldRefreshes, 1);
}
