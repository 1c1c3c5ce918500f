#include "app/window/TFormPreview.h"
#include "app/window/ZoomMenu.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/PreviewSearch.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/preview/TvlPreview.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/preview/TvlProgressForm.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "tests/support/ModalDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

// The text of a PDF file (pdftotext); empty when it cannot be read.
QString PdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Shared previews start with the zoom of the last one; each test starts
// afresh before the window services install the print command.
struct FreshPreviewState {
    FreshPreviewState() { vl::Globals().preview() = {}; }
};

class FormPreviewTest : public ::testing::Test {
protected:
    FormPreviewTest() {
        auto printers = std::make_unique<vl::QtPrinterSystem>();
        printers->setPdfPrinterOffered(true);
        vl::Globals().startPrinter(std::move(printers));
        copyTemplates(QStringLiteral("TaskList"));
        copyTemplates(QStringLiteral("Contacts"));
        dialogs.leaveAlone<vl::TvlProgressForm>();
    }
    ~FormPreviewTest() override {
        window.reset();
        vl::Globals().startPrinter(nullptr);
    }
    // A window no test asked for, in a test that did not look, still fails it.
    void TearDown() override {
        if (!HasFailure()) EXPECT_EQ(dialogs.unanswered(), "");
    }

    void copyTemplates(const QString& kind) {
        const QDir from(QStringLiteral(SAMPLE_REPORTS "/") + kind);
        const QString to = folder(kind);
        QDir().mkpath(to);
        for (const QString& file : from.entryList({QStringLiteral("*.vlf")}, QDir::Files))
            QFile::copy(from.filePath(file), to + file);
    }
    QString folder(const QString& kind) const {
        return program.path() + QStringLiteral("/Reports/") + kind + QLatin1Char('/');
    }
    static QStringList sampleNames(const QString& kind) {
        QStringList names = QDir(QStringLiteral(SAMPLE_REPORTS "/") + kind)
                                .entryList({QStringLiteral("*.vlf")}, QDir::Files);
        for (QString& name : names)
            name.chop(4);
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        return names;
    }

    TFormPreview& open(QStringList args = {QStringLiteral(SAMPLE_ORGANIZER)}) {
        const StartupOptions options = StartupOptions::fromArguments(program.path(), args);
        window = std::make_unique<TFormPreview>(options);
        window->resize(1000, 700);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    template <typename T> T* find(const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QStringList listed() {
        QStringList names;
        auto* list = find<QListWidget>("lbReports");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }
    int shownPages() { return window->preview().PageCount(); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    // The next window is an input box, answered with text or cancelled.
    void answerInputBox(const QString& text, bool accept) {
        dialogs.expect<QInputDialog>([text, accept](QInputDialog& input) {
            input.setTextValue(text);
            accept ? input.accept() : input.reject();
        });
    }
    // The next window is a message box, recorded and closed with button.
    void recordNextMessage(QMessageBox::StandardButton button) {
        dialogs.expect<QMessageBox>([this, button](QMessageBox& box) {
            messages.append(box.windowTitle() + QStringLiteral(": ") + box.text());
            if (QAbstractButton* b = box.button(button)) return b->click();
            ADD_FAILURE() << "the message box has not that button";
            box.reject();
        });
    }

    vl::test::ModalDialogs dialogs;
    FreshPreviewState fresh;
    vl::WindowServices services;
    QTemporaryDir program;
    std::unique_ptr<TFormPreview> window;
    QStringList messages;
};

} // namespace

TEST_F(FormPreviewTest, StartsOnTheTaskListAndBuildsItsFirstTemplate) {
    TFormPreview& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Print Preview"));
    EXPECT_TRUE(find<QRadioButton>("rbTaskList")->isChecked());
    EXPECT_EQ(listed(), sampleNames(QStringLiteral("TaskList")));
    EXPECT_EQ(find<QListWidget>("lbReports")->currentRow(), 0);
    EXPECT_EQ(w.SelectedTemplatePath(),
              folder(QStringLiteral("TaskList")) + listed().front() + QStringLiteral(".vlf"));
    EXPECT_EQ(w.organizer().dataKind(), DataKind::Tasks);
    EXPECT_GT(shownPages(), 0);
    EXPECT_EQ(QApplication::focusWidget(), find<QListWidget>("lbReports"));
    EXPECT_FALSE(find<QPushButton>("bEdit")->isEnabled());
}

TEST_F(FormPreviewTest, TheSecondArgumentContactsInAnyCaseStartsOnTheContacts) {
    TFormPreview& w = open({QStringLiteral(SAMPLE_ORGANIZER), QStringLiteral("Contacts")});
    EXPECT_TRUE(find<QRadioButton>("rbContacts")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("rbTaskList")->isChecked());
    EXPECT_EQ(listed(), sampleNames(QStringLiteral("Contacts")));
    EXPECT_EQ(w.organizer().dataKind(), DataKind::Contacts);
    EXPECT_TRUE(w.SelectedTemplatePath().startsWith(folder(QStringLiteral("Contacts"))));
    EXPECT_GT(shownPages(), 0);

    open({QStringLiteral(SAMPLE_ORGANIZER), QStringLiteral("contact")});
    EXPECT_TRUE(find<QRadioButton>("rbTaskList")->isChecked());
}

TEST_F(FormPreviewTest, WithoutThePhotoStoreNoDataSourceIsChosen) {
    QTemporaryDir data;
    recordNextMessage(QMessageBox::Ok);
    TFormPreview& w = open({data.path() + QLatin1Char('/')});
    EXPECT_EQ(dialogs.unanswered(), "");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Error: "))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("photos.dat")));
    EXPECT_FALSE(w.dataSource().has_value());
    EXPECT_FALSE(find<QRadioButton>("rbTaskList")->isChecked());
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(shownPages(), 0);
    // the user can still choose one
    QTest::mouseClick(find<QRadioButton>("rbContacts"), Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_EQ(listed(), sampleNames(QStringLiteral("Contacts")));
}

TEST_F(FormPreviewTest, DuplicateCopiesTheSelectedTemplateUnderTheAnsweredName) {
    open();
    const QString first = listed().front();
    answerInputBox(QStringLiteral("My Copy"), true);
    click("bDublicate");
    EXPECT_EQ(dialogs.unanswered(), ""); // no message box either
    EXPECT_TRUE(listed().contains(QStringLiteral("My Copy")));
    QFile copy(folder(QStringLiteral("TaskList")) + QStringLiteral("My Copy.vlf"));
    QFile original(folder(QStringLiteral("TaskList")) + first + QStringLiteral(".vlf"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll());
    EXPECT_EQ(find<QListWidget>("lbReports")->currentRow(), 0);
}

TEST_F(FormPreviewTest, DuplicateAndCancelChangesNothing) {
    open();
    const QStringList before = listed();
    const QStringList files = QDir(folder(QStringLiteral("TaskList"))).entryList(QDir::Files);
    answerInputBox(QStringLiteral("Something else"), false);
    click("bDublicate");
    EXPECT_EQ(dialogs.unanswered(), ""); // no message box either
    EXPECT_EQ(listed(), before);
    EXPECT_EQ(QDir(folder(QStringLiteral("TaskList"))).entryList(QDir::Files), files);
}

// A name that cannot be used is refused with a message, and the question
// comes back with that name, until a good name or Cancel.
TEST_F(FormPreviewTest, ARefusedNameIsSaidAndAskedAgain) {
    open();
    const QString first = listed().front();
    const QStringList files = QDir(folder(QStringLiteral("TaskList"))).entryList(QDir::Files);
    QStringList asked;
    const auto answer = [&](const QString& text, bool accept) {
        dialogs.expect<QInputDialog>([&asked, text, accept](QInputDialog& input) {
            asked << input.textValue();
            input.setTextValue(text);
            accept ? input.accept() : input.reject();
        });
    };
    const auto acknowledge = [&] {
        dialogs.expect<QMessageBox>([this](QMessageBox& box) {
            messages << box.windowTitle() + QStringLiteral(": ") + box.text();
            box.button(QMessageBox::Ok)->click();
        });
    };
    answer(first, true); // the name as offered: the template itself
    acknowledge();
    answer(first.toUpper(), true);
    acknowledge();
    answer(QStringLiteral("../Escaped"), true);
    acknowledge();
    answer(QStringLiteral("Kept"), false);
    click("bDublicate");
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(asked, (QStringList{first, first, first.toUpper(), QStringLiteral("../Escaped")}));
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], QStringLiteral("Error: Already exists!"));
    EXPECT_EQ(messages[1], QStringLiteral("Error: Already exists!"));
    EXPECT_TRUE(messages[2].startsWith(QStringLiteral("Error: A report name cannot")));
    EXPECT_EQ(QDir(folder(QStringLiteral("TaskList"))).entryList(QDir::Files), files);
    EXPECT_FALSE(QFile::exists(program.path() + QStringLiteral("/Reports/Escaped.vlf")));
}

TEST_F(FormPreviewTest, HelpAndF1OpenTheUserGuide) {
    TFormPreview& w = open();
    const auto shownHelp = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* h = qobject_cast<vl::TvlHelpWindow*>(widget); h && h->isVisible()) return h;
        return static_cast<vl::TvlHelpWindow*>(nullptr);
    };
    click("bHelp");
    vl::TvlHelpWindow* help = shownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Print Preview")));
    help->close();
    QApplication::processEvents();
    EXPECT_EQ(shownHelp(), nullptr);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_NE(shownHelp(), nullptr);
    if (vl::TvlHelpWindow* again = shownHelp()) again->close();
}

// The list's right-click "Edit" opens the designer as "Edit report" does;
// a click on the template already shown builds it again.
TEST_F(FormPreviewTest, TheListsEditEntryDesignsAndAClickRebuilds) {
    int designed = 0;
    vl::Globals().designer().designReport = [&](vl::TvlReport&) {
        ++designed;
        return 1;
    };
    TFormPreview& w = open();
    auto* menu = w.findChild<QMenu*>(QStringLiteral("pmReportList"));
    ASSERT_NE(menu, nullptr);
    auto* edit = menu->findChild<QAction*>(QStringLiteral("pmEdit"));
    ASSERT_NE(edit, nullptr);
    emit menu->aboutToShow();
    EXPECT_TRUE(edit->isEnabled());
    edit->trigger();
    EXPECT_EQ(designed, 1);
    vl::Globals().designer().designReport = nullptr;
    emit menu->aboutToShow();
    EXPECT_FALSE(edit->isEnabled()) << "no designer, no Edit";

    int builds = 0;
    w.organizer().report().Events.OnBeginDoc = [&] { ++builds; };
    auto* list = find<QListWidget>("lbReports");
    const QRect cell = list->visualItemRect(list->item(list->currentRow()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_GE(builds, 1);
    const int once = builds;
    const QRect other = list->visualItemRect(list->item(list->count() - 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(builds, 2 * once) << "a click that moves the selection builds once";
    w.organizer().report().Events.OnBeginDoc = nullptr;
}

TEST_F(FormPreviewTest, DeleteAsksAndDeletesOnlyOnOk) {
    open();
    const QString first = listed().front();
    const QString path = folder(QStringLiteral("TaskList")) + first + QStringLiteral(".vlf");
    recordNextMessage(QMessageBox::Cancel);
    click("bDelete");
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("Confirm: Delete report ") + first + QStringLiteral("?")});
    EXPECT_TRUE(QFile::exists(path));

    recordNextMessage(QMessageBox::Ok);
    click("bDelete");
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(listed().contains(first));
    EXPECT_EQ(find<QListWidget>("lbReports")->currentRow(), 0);
}

TEST_F(FormPreviewTest, AnEmptyTemplateFolderKeepsThePreview) {
    QDir(folder(QStringLiteral("Contacts"))).removeRecursively();
    TFormPreview& w = open();
    const int pages = shownPages();
    ASSERT_GT(pages, 0);
    QTest::mouseClick(find<QRadioButton>("rbContacts"), Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_EQ(w.dataSource(), DataSourceKind::Contacts);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(w.SelectedTemplatePath().isEmpty());
    EXPECT_EQ(shownPages(), pages);
    // nothing to duplicate or delete: neither asks anything
    click("bDublicate");
    click("bDelete");
    EXPECT_EQ(dialogs.unanswered(), "");
}

TEST_F(FormPreviewTest, ZoomCaptions) {
    TFormPreview& w = open();
    auto* zoom = find<QPushButton>("bZoom");
    w.Zoom(3);
    EXPECT_EQ(zoom->text(), QStringLiteral("100%"));
    for (int i = 0; i < 3; ++i)
        click("Button7");
    EXPECT_EQ(zoom->text(), QStringLiteral("175%"));
    EXPECT_DOUBLE_EQ(w.preview().ZoomPercent(), 175);
    click("Button6");
    EXPECT_EQ(zoom->text(), QStringLiteral("150%"));

    auto* menu = w.findChild<ZoomMenu*>(QStringLiteral("PopupMenu"));
    ASSERT_NE(menu, nullptr);
    menu->entry(ZoomMenu::kPageWidth)->trigger();
    EXPECT_EQ(zoom->text(), QStringLiteral("Page width"));
    // the fitted scale changes with the window, the caption does not
    w.resize(1200, 800);
    QApplication::processEvents();
    EXPECT_EQ(zoom->text(), QStringLiteral("Page width"));
    // "+" goes on from the fitted scale, in percent mode
    const double fitted = w.preview().ZoomPercent();
    click("Button7");
    EXPECT_DOUBLE_EQ(w.preview().ZoomPercent(), fitted + 25);
    EXPECT_EQ(zoom->text(), QString::number(static_cast<int>(fitted + 25)) + QLatin1Char('%'));
    w.resize(900, 700);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(w.preview().ZoomPercent(), fitted + 25);

    menu->entry(ZoomMenu::kWholePage)->trigger();
    EXPECT_EQ(zoom->text(), QStringLiteral("Whole page"));
    menu->entry(ZoomMenu::kTwoPages)->trigger();
    EXPECT_EQ(zoom->text(), QStringLiteral("Two pages"));
    menu->entry(7)->trigger();
    EXPECT_EQ(zoom->text(), QStringLiteral("10%"));
    EXPECT_DOUBLE_EQ(w.preview().ZoomPercent(), 10);
    // below the smallest zoom the pane stops; the caption tells what it shows
    click("Button6");
    EXPECT_GT(w.preview().ZoomPercent(), 0);
    EXPECT_EQ(zoom->text(), ZoomMenu::percentCaption(w.preview().ZoomPercent()));
    EXPECT_EQ(zoom->text(), QStringLiteral("1%"));
}

TEST_F(FormPreviewTest, ZoomMenuEntriesInOrder) {
    open();
    auto* menu = window->findChild<ZoomMenu*>(QStringLiteral("PopupMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{"&Page width", "&Whole page", "&Two pages", "-", "&200%",
                                     "&150%", "1&00%", "&75%", "&50%", "25%", "10%"}));
    const std::vector<std::pair<int, int>> percents = {
        {1, 200}, {2, 150}, {4, 75}, {5, 50}, {6, 25}};
    for (auto [tag, percent] : percents) {
        menu->entry(tag)->trigger();
        EXPECT_DOUBLE_EQ(window->preview().ZoomPercent(), percent) << tag;
    }
}

TEST_F(FormPreviewTest, PageButtonsMoveThroughThePages) {
    TFormPreview& w = open();
    if (shownPages() < 2) GTEST_SKIP() << "the first sample template has one page";
    EXPECT_EQ(w.preview().CurrentPageNumber(), 1);
    click("Button11");
    EXPECT_EQ(w.preview().CurrentPageNumber(), 2);
    click("Button2");
    EXPECT_EQ(w.preview().CurrentPageNumber(), 1);
}

TEST_F(FormPreviewTest, EnterPrintsAndCloseClosesTheWindow) {
    TFormPreview& w = open();
    int printed = -1;
    vl::Globals().preview().print = [&](vl::TvlReport& report, int) {
        printed = report.EMFPages().Count();
    };
    QTest::keyClick(find<QListWidget>("lbReports"), Qt::Key_Return);
    EXPECT_EQ(printed, shownPages());
    EXPECT_GT(printed, 0);
    click("Button3");
    EXPECT_FALSE(w.isVisible());
}

// Start on the sample data, build every template of both sources, then
// print the first page of the last one into a PDF file.
TEST_F(FormPreviewTest, EveryTemplateBuildsAndPageOnePrintsToPdf) {
    TFormPreview& w = open();
    auto* list = find<QListWidget>("lbReports");
    for (const char* source : {"rbTaskList", "rbContacts"}) {
        QTest::mouseClick(find<QRadioButton>(source), Qt::LeftButton, {}, QPoint(6, 6));
        ASSERT_GT(list->count(), 0) << source;
        for (int i = list->count() - 1; i >= 0; --i) {
            const QRect cell = list->visualItemRect(list->item(i));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
            EXPECT_EQ(list->currentRow(), i);
            EXPECT_EQ(vl::ToQt(w.organizer().report().FileName), w.SelectedTemplatePath());
            EXPECT_GT(shownPages(), 0) << list->item(i)->text().toStdString();
        }
    }
    const std::vector<vl::DrawnText> texts =
        vl::RecordPageTexts(*w.preview().Form().ShownPages(), 0);
    QStringList words;
    for (const vl::DrawnText& t : texts)
        for (const QString& word : t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (word.size() >= 4 && word.front().isLetter()) words.append(word);
    ASSERT_FALSE(words.isEmpty());

    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("page1.pdf"));
    dialogs.expect<vl::TvlPrintForm>([pdf](vl::TvlPrintForm& form) {
        auto* printers = form.findChild<QComboBox*>(QStringLiteral("PrinterBox"));
        const int item = printers->findText(QStringLiteral("Print to PDF file"));
        if (item < 0) {
            ADD_FAILURE() << "no Print to PDF file";
            return form.reject();
        }
        printers->setCurrentIndex(item);
        emit printers->activated(item);
        QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("PageRangeEdit")), "1");
        form.askPdfFileName = [pdf](QWidget*) { return pdf; };
        QTest::keyClick(&form, Qt::Key_Return);
    });
    click("Button4");
    EXPECT_EQ(dialogs.unanswered(), "");
    const QString text = PdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1) << "one page";
    for (const QString& word : words.mid(0, 5))
        EXPECT_TRUE(text.contains(word)) << word.toStdString();
    // the pages went back to the pane after printing
    EXPECT_GT(shownPages(), 0);
}

TEST_F(FormPreviewTest, EditReportDesignsTheLoadedTemplateAndShowsItAnew) {
    vl::TvlReport* designed = nullptr;
    int pagesWhileDesigning = -1;
    vl::Globals().designer().designReport = [&](vl::TvlReport& report) {
        designed = &report;
        pagesWhileDesigning = shownPages();
        return 1;
    };
    TFormPreview& w = open();
    ASSERT_TRUE(find<QPushButton>("bEdit")->isEnabled());
    const int before = shownPages();
    ASSERT_GT(before, 0);
    int builds = 0;
    w.organizer().report().Events.OnBeginDoc = [&] { ++builds; };
    click("bEdit");
    w.organizer().report().Events.OnBeginDoc = nullptr;
    vl::Globals().designer().designReport = nullptr;
    EXPECT_EQ(designed, &w.organizer().report());
    EXPECT_EQ(pagesWhileDesigning, before);
    EXPECT_EQ(builds, 1) << "built anew into the pane";
    EXPECT_EQ(shownPages(), before);
}
