#include "designer/editors/DataSourceEntries.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/TvlBandEditorForm.h"
#include "designer/editors/TvlBandTypesForm.h"
#include "designer/editors/TvlDesignerEditors.h"
#include "designer/editors/TvlFieldsForm.h"
#include "designer/editors/TvlGroupEditorForm.h"
#include "designer/editors/TvlVBandEditorForm.h"
#include "tests/designer/editors/EditorTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace vltest {
namespace {

class BandEditorsTest : public ::testing::Test {
protected:
    BandEditorsTest() : editors(host, nullptr) {}

    // A dialog no case asked for fails the case that met it.
    void TearDown() override {
        if (!HasFailure()) EXPECT_EQ(dialogs.unanswered(), "");
    }

    // Opens the data source editor on a data band with that text, answers
    // it with act and returns the band's text afterwards.
    std::string editSource(const std::string& text, std::function<void(TvlBandEditorForm&)> act,
                           int expected = kModalOk) {
        TvlBandView& band = host.addBand(5, "MasterData1", text);
        dialogs.expect<TvlBandEditorForm>(std::move(act));
        EXPECT_EQ(editors.editBand(band), expected);
        EXPECT_EQ(dialogs.unanswered(), "");
        return band.FormatStr;
    }
    static QListWidget* list(const QWidget& dialog) {
        return Child<QListWidget>(dialog, "DataSourceLB");
    }

    FakeEditorHost host;
    TvlDesignerEditors editors;
    ModalDialogs dialogs;
};

TEST_F(BandEditorsTest, DataSourceListOffersNoneVirtualAndTheReportSources) {
    editSource(
        "",
        [](TvlBandEditorForm& dialog) {
            QStringList texts;
            for (int i = 0; i < list(dialog)->count(); ++i)
                texts << list(dialog)->item(i)->text();
            EXPECT_EQ(texts,
                      (QStringList{"[None]", "Virtual Dataset", "Cols", "Contacts", "Tasks"}));
            EXPECT_EQ(list(dialog)->currentRow(), 0);
            EXPECT_FALSE(Child<QLineEdit>(dialog, "CountEdit")->isEnabled());
            EXPECT_EQ(Child<QLineEdit>(dialog, "CountEdit")->text(), QStringLiteral("1"));
            dialog.reject();
        },
        kModalCancel);
}

TEST_F(BandEditorsTest, StoredTextsOpenOnTheirEntries) {
    editSource(
        "25",
        [](TvlBandEditorForm& dialog) {
            EXPECT_EQ(list(dialog)->currentRow(), 1);
            EXPECT_TRUE(Child<QLineEdit>(dialog, "CountEdit")->isEnabled());
            EXPECT_EQ(Child<QLineEdit>(dialog, "CountEdit")->text(), QStringLiteral("25"));
            dialog.reject();
        },
        kModalCancel);
    editSource(
        "0",
        [](TvlBandEditorForm& dialog) {
            EXPECT_EQ(list(dialog)->currentRow(), 0);
            dialog.reject();
        },
        kModalCancel);
    editSource(
        "tasks",
        [](TvlBandEditorForm& dialog) {
            EXPECT_EQ(CurrentText(list(dialog)), QStringLiteral("Tasks"));
            dialog.reject();
        },
        kModalCancel);
    EXPECT_EQ(host.snapshots, 0);
}

TEST_F(BandEditorsTest, OkStoresTheChoice) {
    EXPECT_EQ(editSource("Tasks",
                         [](TvlBandEditorForm& dialog) {
                             list(dialog)->setCurrentRow(0);
                             dialog.accept();
                         }),
              "[None]");
    EXPECT_EQ(editSource("",
                         [](TvlBandEditorForm& dialog) {
                             list(dialog)->setCurrentRow(1);
                             Child<QLineEdit>(dialog, "CountEdit")->setText(QStringLiteral("12"));
                             dialog.accept();
                         }),
              "12");
    EXPECT_EQ(editSource("",
                         [](TvlBandEditorForm& dialog) {
                             const auto item = list(dialog)->findItems(QStringLiteral("Contacts"),
                                                                       Qt::MatchExactly);
                             list(dialog)->setCurrentItem(item.front());
                             emit list(dialog)->itemDoubleClicked(item.front());
                         }),
              "Contacts");
    EXPECT_EQ(host.snapshots, 3);
    EXPECT_EQ(host.redraws, 3);
}

TEST_F(BandEditorsTest, AliasesAreShownAndComponentNamesStored) {
    host.report.Dictionary().DataSourceAliases.SetVariable("Tasks", Variant("Task list"));
    EXPECT_EQ(editSource("Tasks",
                         [](TvlBandEditorForm& dialog) {
                             EXPECT_EQ(list(dialog)->count(), 3);
                             EXPECT_EQ(CurrentText(list(dialog)), QStringLiteral("Task list"));
                             dialog.accept();
                         }),
              "Tasks");
}

TEST(CrossSourcesTest, PairsAreFoundByWholeBandName) {
    EXPECT_EQ(TvlCrossSources::SourceOf("MyBand1=A;Band1=B;", "band1"), "B");
    EXPECT_EQ(TvlCrossSources::SourceOf("MyBand1=A;Band1=B", "Band1"), "B");
    EXPECT_EQ(TvlCrossSources::SourceOf("MyBand1=A;", "Band1"), "0");
    EXPECT_EQ(TvlCrossSources::SourceOf("Cols", "Band1"), "Cols");
    EXPECT_EQ(TvlCrossSources::Compose({{"A", "x"}, {"B", "5"}}), "A=x;B=5;");
}

class CrossEditorTest : public BandEditorsTest {
protected:
    CrossEditorTest() {
        host.addBand(2, "PageHeader1");
        host.addBand(5, "MasterData1");
        host.addBand(16, "GroupHeader1");
        host.addBand(18, "CrossHeader1");
    }
    std::string editCross(const std::string& text, std::function<void(TvlVBandEditorForm&)> act) {
        TvlBandView& cross = host.addBand(19, "CrossData1", text);
        dialogs.expect<TvlVBandEditorForm>(std::move(act));
        editors.editBand(cross);
        EXPECT_EQ(dialogs.unanswered(), "");
        return cross.FormatStr;
    }
};

TEST_F(CrossEditorTest, OneSourceForAllBandsBecomesPairs) {
    EXPECT_EQ(editCross("Cols",
                        [](TvlVBandEditorForm& dialog) {
                            auto* bands = Child<QListWidget>(dialog, "BandsLB");
                            EXPECT_EQ(bands->count(), 2);
                            EXPECT_EQ(ItemText(bands, 0),
                                      QStringLiteral("MasterData1: Master data"));
                            auto* sources = Child<QComboBox>(dialog, "DataSourceCB");
                            EXPECT_EQ(sources->currentText(), QStringLiteral("Cols"));
                            bands->setCurrentRow(1);
                            EXPECT_EQ(sources->currentText(), QStringLiteral("Cols"));
                            dialog.accept();
                        }),
              "MasterData1=Cols;GroupHeader1=Cols;");
}

TEST_F(CrossEditorTest, EachBandKeepsItsOwnChoice) {
    EXPECT_EQ(editCross("MasterData1=Cols;",
                        [](TvlVBandEditorForm& dialog) {
                            auto* bands = Child<QListWidget>(dialog, "BandsLB");
                            auto* sources = Child<QComboBox>(dialog, "DataSourceCB");
                            auto* count = Child<QLineEdit>(dialog, "CountEdit");
                            bands->setCurrentRow(1);
                            EXPECT_EQ(sources->currentIndex(), 0);
                            EXPECT_FALSE(count->isEnabled());
                            sources->setCurrentIndex(1);
                            EXPECT_TRUE(count->isEnabled());
                            QTest::keyClicks(count, "7");
                            bands->setCurrentRow(0);
                            EXPECT_EQ(sources->currentText(), QStringLiteral("Cols"));
                            bands->setCurrentRow(1);
                            EXPECT_EQ(count->text(), QStringLiteral("17"));
                            dialog.accept();
                        }),
              "MasterData1=Cols;GroupHeader1=17;");
}

TEST_F(CrossEditorTest, CancelKeepsTheTextAndAPageWithoutBandsShowsNothing) {
    EXPECT_EQ(editCross("Cols",
                        [](TvlVBandEditorForm& dialog) {
                            Child<QComboBox>(dialog, "DataSourceCB")->setCurrentIndex(0);
                            dialog.reject();
                        }),
              "Cols");
    host.page->Objects.clear();
    TvlBandView& cross = host.addBand(19, "CrossData1", "Cols");
    EXPECT_EQ(editors.editBand(cross), kModalCancel);
    EXPECT_EQ(dialogs.unanswered(), ""); // no dialog
    EXPECT_EQ(host.snapshots, 0);
}

TEST_F(BandEditorsTest, GroupConditionRoundTrip) {
    TvlBandView& group = host.addBand(16, "GroupHeader1", "[Tasks.\"Category\"]");
    dialogs.expect<TvlGroupEditorForm>([this](TvlGroupEditorForm& dialog) {
        auto* edit = Child<QLineEdit>(dialog, "Edit1");
        EXPECT_EQ(edit->text(), QStringLiteral("[Tasks.\"Category\"]"));
        dialogs.expect<TvlFieldsForm>([](TvlFieldsForm& chooser) {
            Child<QListWidget>(chooser, "FieldsLB")->setCurrentRow(1);
            chooser.accept();
        });
        Child<QToolButton>(dialog, "FieldBtn")->click();
        EXPECT_EQ(edit->text(), QStringLiteral("[DatasetTask.\"Due date\"]"));
        dialog.accept();
    });
    EXPECT_EQ(editors.editBand(group), kModalOk);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(group.FormatStr, "[DatasetTask.\"Due date\"]");
    dialogs.expect<TvlGroupEditorForm>([](TvlGroupEditorForm& dialog) {
        Child<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("x"));
        dialog.reject();
    });
    EXPECT_EQ(editors.editBand(group), kModalCancel);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(group.FormatStr, "[DatasetTask.\"Due date\"]");
    // a page header has no editor
    EXPECT_EQ(editors.editBand(host.addBand(2, "PageHeader1")), kModalCancel);
    EXPECT_EQ(dialogs.unanswered(), "");
}

TEST_F(BandEditorsTest, BandTypesFollowThePageAndItsKind) {
    host.addBand(2, "PageHeader1");
    host.addBand(5, "MasterData1");
    dialogs.expect<TvlBandTypesForm>([](TvlBandTypesForm& dialog) {
        EXPECT_FALSE(Child<QRadioButton>(dialog, "Band2")->isEnabled());
        EXPECT_TRUE(Child<QRadioButton>(dialog, "Band5")->isEnabled());
        EXPECT_TRUE(Child<QRadioButton>(dialog, "Band0")->isChecked());
        Child<QRadioButton>(dialog, "Band19")->click();
        dialog.accept();
    });
    EXPECT_EQ(editors.chooseBandType(false), 19);
    EXPECT_EQ(dialogs.unanswered(), "");

    // A sub-report's page: no title, summary, page, column or group bands;
    // the master header is the first choice.
    dialogs.expect<TvlBandTypesForm>([](TvlBandTypesForm& dialog) {
        for (const char* name : {"Band0", "Band1", "Band3", "Band14", "Band15", "Band16", "Band17"})
            EXPECT_FALSE(Child<QRadioButton>(dialog, name)->isEnabled()) << name;
        EXPECT_TRUE(Child<QRadioButton>(dialog, "Band4")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(dialog, "Band18")->isEnabled());
        dialog.accept();
    });
    EXPECT_EQ(editors.chooseBandType(true), 4);
    EXPECT_EQ(dialogs.unanswered(), "");

    dialogs.expect<TvlBandTypesForm>([](TvlBandTypesForm& dialog) { dialog.reject(); });
    EXPECT_EQ(editors.chooseBandType(false), -1);
    EXPECT_EQ(dialogs.unanswered(), "");
}

} // namespace
} // namespace vltest
