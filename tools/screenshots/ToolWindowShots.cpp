// Renders the designer's tool windows with sample contents into PNG files:
// the object inspector on a text object, the data dictionary editor on each
// of its tabs, the variables list editor and the database fields window.
// scripts/tool-window-screenshots.sh runs it under a virtual display.

#include "designer/dictionary/DictNode.h"
#include "designer/dictionary/TvlDictForm.h"
#include "designer/dictionary/TvlFieldAliasTab.h"
#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/dictionary/TvlVaredForm.h"
#include "designer/inspector/TvlInspForm.h"
#include "designer/inspector/TvlInspRowList.h"
#include "designer/inspector/TvlInspectorHost.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/build/sql/TvlSqlTable.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

using namespace vl;

namespace {

QString outputDir;
QString suffix;

void save(QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = outputDir + QLatin1Char('/') + name + suffix + QStringLiteral(".png");
    if (!window.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The inspector on one text object, filled as the designer fills it.
class SampleDesigner : public TvlInspectorHost {
public:
    explicit SampleDesigner(TvlMemoView& memo) : memo_(memo) {}

    void Fill(TvlInspForm& form) {
        form_ = &form;
        memo_.RegisterProperties();
        std::vector<const TvlPropRec*> rows;
        for (const auto& rec : memo_.properties())
            if (rec->propType != pkHidden) rows.push_back(rec.get());
        std::sort(rows.begin(), rows.end(), [](const TvlPropRec* a, const TvlPropRec* b) {
            return CompareText(a->name, b->name) < 0;
        });
        form.ClearRows();
        form.SetObject(memo_.Name, &memo_);
        names_.clear();
        for (const TvlPropRec* rec : rows) {
            names_.push_back(rec->name);
            const bool dialogOnly = (rec->propType & pkEditor) && !(rec->propType & pkText);
            const Variant value =
                dialogOnly ? Variant("(" + rec->name + ")") : memo_.GetProperty(rec->name);
            std::uint16_t kinds = rec->propType;
            if (kinds == pkSize) kinds = pkInteger;
            TvlPropEditor editor;
            if (rec->editor) editor = [call = rec->editor](TvlObject*) { call(); };
            form.AddRow(rec->name, value, editor, rec->enumNames.get(), rec->enumValues, kinds);
        }
        form.ShowRows();
    }
    void PropertyChanged(int row) override {
        memo_.SetProperty(names_.at(static_cast<std::size_t>(row)), form_->GetRowValue(row));
        Fill(*form_);
    }
    void FillObjectList(StringList& target) override { target = {"Memo1", "Band1", "Page1"}; }
    void SelectByName(const std::string&) override {}
    void ShowError(const std::string& message) override {
        std::fprintf(stderr, "%s\n", message.c_str());
    }

private:
    TvlMemoView& memo_;
    TvlInspForm* form_ = nullptr;
    StringList names_;
};

void inspectorShot() {
    TvlMemoView memo;
    memo.Name = "Memo1";
    memo.SetBounds(40, 60, 180, 22);
    memo.Memo = {"[Customers.\"Name\"]"};
    memo.FillColor = 0xE0FFFF;
    SampleDesigner designer(memo);
    TvlInspForm form(designer);
    form.SetSplitPos(95);
    form.resize(260, 420);
    designer.Fill(form);
    form.rowList().setCurrentRow(form.rowList().rowIndexOf("FillColor"));
    save(form, QStringLiteral("inspector"));
}

// A report on a form with three database tables and the organizer's two data
// sources, and a dictionary that uses them.
struct SampleReport {
    SampleReport() {
        report.Engine().components().add(&form);
        database.DatabaseName = ":memory:";
        database.Open();
        database.Execute("CREATE TABLE Customers (Name TEXT, City TEXT, Phone TEXT, Email TEXT)");
        database.Execute("CREATE TABLE Orders (Number INTEGER, Date TEXT, Amount REAL)");
        database.Execute("CREATE TABLE Products (Code TEXT, Title TEXT, Price REAL)");
        customers.TableName = "Customers";
        orders.TableName = "Orders";
        products.TableName = "Products";

        TvlDataDictionary& d = report.Dictionary();
        d.Variables.SetVariable(" Customer", Variant(std::string()));
        d.Variables.SetVariable("Customer name", Variant("Customers.\"Name\""));
        d.Variables.SetVariable("Customer city", Variant("Customers.\"City\""));
        d.Variables.SetVariable(" Totals", Variant(std::string()));
        d.Variables.SetVariable("Page number", Variant("PAGE#"));
        d.Variables.SetVariable("Gross amount", Variant("[Orders.\"Amount\"] * 1.2"));
        d.FieldAliases.SetVariable("Customers", Variant("Clients"));
        d.FieldAliases.SetVariable("Customers.City", Variant("Town"));
        d.FieldAliases.SetVariable("Customers.Phone", Variant(std::string()));
        d.FieldAliases.SetVariable("Orders", Variant(std::string()));
        d.DataSourceAliases.SetVariable("DatasetTask", Variant("Tasks"));
    }
    ~SampleReport() { report.Engine().components().remove(&form); }

    TvlComponent form{"Form1"};
    TvlReport report{"Report1", &form};
    TvlSqlDatabase database{"Database1", &form};
    TvlSqlTable customers{"Customers", &form, &database};
    TvlSqlTable orders{"Orders", &form, &database};
    TvlSqlTable products{"Products", &form, &database};
    TvlUserDataset tasks{"DatasetTask", &form};
    TvlUserDataset contacts{"DatasetContacts", &form};
};

void dictionaryShots(SampleReport& sample) {
    TvlDictForm form(sample.report.Dictionary(), sample.report);
    form.show();
    QApplication::processEvents();
    QTreeWidget* variables = form.variablesTab().tree();
    variables->setCurrentItem(variables->topLevelItem(0)->child(0));
    save(form, QStringLiteral("dictionary-variables"));

    form.tabs()->setCurrentIndex(1);
    QTreeWidgetItem* clients = form.fieldAliasTab().componentNode("Customers");
    clients->setExpanded(true);
    form.fieldAliasTab().tree()->setCurrentItem(clients->child(0));
    save(form, QStringLiteral("dictionary-field-aliases"));

    form.tabs()->setCurrentIndex(2);
    form.dataSourceTab().tree()->setCurrentItem(form.dataSourceTab().componentNode("DatasetTask"));
    save(form, QStringLiteral("dictionary-datasources"));

    TvlVariables list;
    list.Assign(sample.report.Dictionary().Variables);
    TvlVaredForm editor(list);
    save(editor, QStringLiteral("variables-list"));
}

void fieldsShot(SampleReport& sample) {
    std::string lastDataSet = "Clients";
    auto* window = new TvlInsFieldsForm(sample.report.Dictionary(), lastDataSet);
    window->resize(220, 330);
    window->show();
    QApplication::processEvents();
    window->fieldList()->setCurrentRow(1);
    save(*window, QStringLiteral("fields-window"));
    window->close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tool window screenshots"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: vellum-tool-window-shots OUTDIR [SUFFIX]\n");
        return 2;
    }
    outputDir = args[1];
    suffix = args.size() > 2 ? args[2] : QString();
    QDir().mkpath(outputDir);
    try {
        inspectorShot();
        SampleReport sample;
        dictionaryShots(sample);
        fieldsShot(sample);
    } catch (const VlError& error) {
        std::fprintf(stderr, "vellum-tool-window-shots: %s\n", error.what());
        return 1;
    }
    return 0;
}
