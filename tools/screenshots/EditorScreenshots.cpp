// Renders the designer's text and band editors with sample content into
// PNG files, for the screenshots of the documentation:
//   vellum-editor-screenshots OUTPUT_DIR [SUFFIX]
// Run it on a real display (xvfb-run); QT_SCALE_FACTOR=2 gives the
// high-density pictures, SUFFIX (for example "@2x") tells them apart.
#include "designer/editors//EditorHost.h"
#include "designer/editors/ChooserMemory.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/TextInsertions.h"
#include "designer/editors/TvlAttrEditorForm.h"
#include "designer/editors/TvlBandEditorForm.h"
#include "designer/editors/TvlBandTypesForm.h"
#include "designer/editors/TvlEditorForm.h"
#include "designer/editors/TvlEditorForm1.h"
#include "designer/editors/TvlExprForm.h"
#include "designer/editors/TvlFieldsForm.h"
#include "designer/editors/TvlFuncArgForm.h"
#include "designer/editors/TvlFuncForm.h"
#include "designer/editors/TvlGroupEditorForm.h"
#include "designer/editors/TvlSyntaxMemo.h"
#include "designer/editors/TvlVBandEditorForm.h"
#include "designer/editors/TvlVarForm.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/TvlTable.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

namespace {

using namespace vl;

// The organizer's task fields, as a table the fields chooser can list.
class TaskFields : public TvlTable {
public:
    using TvlTable::TvlTable;

protected:
    std::vector<FieldDef> doOpen() override { return {}; }
    void doClose() override {}
    bool doFirst() override { return false; }
    bool doNext() override { return false; }
    bool doPrior() override { return false; }
    bool doSeek(std::int64_t) override { return false; }
    std::int64_t doPosition() const override { return 0; }
    bool doHasRecord() const override { return false; }
    StringList doFieldNames() const override {
        return {"Name", "Category", "Priority", "Start date", "Due date", "Completed", "Notes"};
    }
    Variant fieldValue(int) const override { return {}; }
    bool fieldIsNull(int) const override { return true; }
    std::vector<std::uint8_t> fieldBytes(int) const override { return {}; }
};

class SampleHost : public TvlEditorHost {
public:
    SampleHost() {
        report.Engine().components().add(&form);
        report.Pages().Clear();
        page = &report.Pages().Add();
        TvlVariables& vars = report.Dictionary().Variables;
        vars.SetVariable(" Task", Variant(""));
        vars.SetVariable("Task name", Variant("DatasetTask.\"Name\""));
        vars.SetVariable("Due", Variant("DatasetTask.\"Due date\""));
        vars.SetVariable(" Totals", Variant(""));
        vars.SetVariable("Open tasks", Variant("0"));
        for (auto [type, name] : {std::pair{2, "PageHeader1"},
                                  {5, "MasterData1"},
                                  {16, "GroupHeader1"},
                                  {17, "GroupFooter1"},
                                  {19, "CrossData1"}})
            addBand(type, name);
    }
    ~SampleHost() override { report.Engine().components().remove(&form); }

    void beforeChange() override {}
    void afterChange() override {}
    TvlDataDictionary& dictionary() override { return report.Dictionary(); }
    TvlViewPage* currentPage() override { return page; }
    TvlChooserMemory& chooserMemory() override { return choosers; }
    TvlChooserMemory choosers;

    TvlBandView& addBand(int type, const char* name) {
        auto view = std::make_unique<TvlBandView>();
        view->FrameTyp = static_cast<std::uint16_t>(type);
        view->Name = name;
        return static_cast<TvlBandView&>(page->AddObject(std::move(view)));
    }
    TvlBandView& band(const char* name) {
        return *static_cast<TvlBandView*>(page->FindObject(name));
    }

    TvlComponent form{"FormPreview"};
    TvlReport report{"Report", &form};
    TvlUserDataset tasks{"DatasetTask", &form};
    TvlUserDataset contacts{"DatasetContacts", &form};
    TaskFields taskFields{"TaskFields", &form};
    TvlPage* page = nullptr;
};

QString outputDir;
QString suffix;

void save(QWidget& w, const char* name) {
    QApplication::processEvents();
    const QString path = outputDir + QLatin1Char('/') + QLatin1String(name) + suffix + ".png";
    if (!w.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// Shoots the next modal dialog once it has settled, then closes it.
template <typename Dialog>
void shootWhenShown(const char* name, std::function<void(Dialog&)> prepare = {}) {
    QTimer::singleShot(100, [name, prepare] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!d) {
            std::fprintf(stderr, "%s did not open\n", name);
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
            return;
        }
        if (prepare) prepare(*d);
        save(*d, name);
        d->reject();
    });
}

void memoEditors(SampleHost& host) {
    TvlMemoView memo;
    memo.Name = "Memo1";
    memo.Font.name = "Arial";
    memo.Memo = {"[DatasetTask.\"Name\"]", "Due: [DatasetTask.\"Due date\"]"};
    memo.Script = {"begin",
                   "  { Overdue tasks are printed in red }",
                   "  if [DatasetTask.\"Due date\"] < Date then",
                   "  begin",
                   "    Font.Color := clRed;",
                   "    Memo1.Lines.Add('Overdue');",
                   "  end",
                   "  else",
                   "    Font.Color := clBlack; // on time",
                   "end"};
    for (const char* cls : {"TvlEditorForm", "TvlEditorForm1"})
        OpenFormSettings(QLatin1String(cls))->setValue(QStringLiteral("Maximized"), false);
    TvlEditorForm highlighted(host);
    highlighted.resize(620, 480);
    shootWhenShown<TvlMemoEditorForm>("memo-editor", [](TvlMemoEditorForm& f) {
        static_cast<TvlEditorForm&>(f).syntaxMemo()->moveCaret(5, 5);
    });
    highlighted.ShowEditor(memo);
    memo.Script[4] = "    Font.Color = clRed;";
    shootWhenShown<TvlMemoEditorForm>("memo-editor-error", [](TvlMemoEditorForm& f) {
        f.findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
    });
    highlighted.ShowEditor(memo);
    TvlEditorForm1 plain(host);
    plain.resize(620, 480);
    shootWhenShown<TvlMemoEditorForm>("memo-editor-plain", [](TvlMemoEditorForm& f) {
        f.findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
    });
    plain.ShowEditor(memo);
}

void expressionDialogs(SampleHost& host) {
    shootWhenShown<TvlExprForm>("expression-builder", [](TvlExprForm& f) {
        f.setExpression("[DatasetTask.\"Priority\"] > 2 And [Open tasks] <> 0");
    });
    InsertExpression(host, nullptr);
    shootWhenShown<TvlFieldsForm>("fields-chooser", [](TvlFieldsForm& f) {
        f.findChild<QListWidget*>(QStringLiteral("FieldsLB"))->setCurrentRow(4);
    });
    InsertDataField(host, nullptr);
    shootWhenShown<TvlVarForm>("variables-chooser", [](TvlVarForm& f) {
        f.findChild<QListWidget*>(QStringLiteral("VarLB"))->setCurrentRow(0);
    });
    TvlVarForm(host.dictionary(), host.chooserMemory()).exec();
    shootWhenShown<TvlFuncForm>("functions-chooser", [](TvlFuncForm& f) {
        auto* tree = f.findChild<QTreeWidget*>(QStringLiteral("Tree1"));
        const auto items = tree->findItems("String", Qt::MatchExactly | Qt::MatchRecursive);
        if (!items.isEmpty()) tree->setCurrentItem(items.front());
        auto* list = f.findChild<QListWidget*>(QStringLiteral("FuncLB"));
        const auto copy = list->findItems("COPY", Qt::MatchExactly);
        if (!copy.isEmpty()) list->setCurrentItem(copy.front());
    });
    TvlFuncForm(host.dictionary().engine().installedFunctions()).exec();
    shootWhenShown<TvlFuncArgForm>("function-arguments", [](TvlFuncArgForm& f) {
        f.argumentEdit(0)->setText("[DatasetTask.\"Notes\"]");
        f.argumentEdit(1)->setText("1");
    });
    TvlFuncArgForm(host, "COPY", "COPY(<String>, <Position>, <Length>)",
                   "Returns <Length> characters of <String> starting at <Position>.")
        .exec();
    TvlMemoView tagged;
    tagged.Tag = "task-[DatasetTask.\"Name\"]";
    shootWhenShown<TvlAttrEditorForm>("object-tag");
    TvlAttrEditorForm(host).ShowEditor(tagged);
}

void bandDialogs(SampleHost& host) {
    host.band("MasterData1").FormatStr = "DatasetTask";
    shootWhenShown<TvlBandEditorForm>("band-data-source");
    TvlBandEditorForm(host).ShowEditor(host.band("MasterData1"));
    TvlBandView virtualBand;
    virtualBand.FrameTyp = 8;
    virtualBand.FormatStr = "25";
    shootWhenShown<TvlBandEditorForm>("band-data-source-virtual");
    TvlBandEditorForm(host).ShowEditor(virtualBand);
    host.band("CrossData1").FormatStr = "MasterData1=DatasetContacts;GroupHeader1=12;";
    shootWhenShown<TvlVBandEditorForm>("band-cross-sources", [](TvlVBandEditorForm& f) {
        f.findChild<QListWidget*>(QStringLiteral("BandsLB"))->setCurrentRow(1);
    });
    TvlVBandEditorForm(host).ShowEditor(host.band("CrossData1"));
    host.band("GroupHeader1").FormatStr = "[DatasetTask.\"Category\"]";
    shootWhenShown<TvlGroupEditorForm>("band-group");
    TvlGroupEditorForm(host).ShowEditor(host.band("GroupHeader1"));
    shootWhenShown<TvlBandTypesForm>("band-types");
    TvlBandTypesForm().ShowForPage(host.currentPage());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Screenshots"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: vellum-editor-screenshots OUTPUT_DIR [SUFFIX]\n");
        return 2;
    }
    outputDir = QString::fromLocal8Bit(argv[1]);
    suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(outputDir);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    SampleHost host;
    memoEditors(host);
    expressionDialogs(host);
    bandDialogs(host);
    return 0;
}
