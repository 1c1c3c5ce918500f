#include "designer/dictionary/DictNode.h"
#include "designer/dictionary/TvlDictForm.h"
#include "designer/dictionary/TvlFieldAliasTab.h"
#include "tests/designer/dictionary/DictionaryFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

using namespace vl;
using namespace vltest;

namespace {

class TvlAliasTabTest : public DictionaryFixture {
protected:
    void open() {
        form = std::make_unique<TvlDictForm>(dictionary(), report);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    TvlFieldAliasTab& fields() { return form->fieldAliasTab(); }
    TvlDataSourceAliasTab& sources() { return form->dataSourceTab(); }
    const TvlVariables& aliases() { return form->workingFieldAliases(); }
    QStringList listed(const TvlAliasTab& tab) {
        QStringList names;
        for (int i = 0; i < tab.list()->count(); ++i)
            names << tab.list()->item(i)->text();
        return names;
    }
    QStringList children(QTreeWidgetItem* node) {
        QStringList names;
        for (int i = 0; i < node->childCount(); ++i)
            names << node->child(i)->text(0);
        return names;
    }
    // Types an alias for the node and returns to the tree.
    void typeAlias(TvlAliasTab& tab, QTreeWidgetItem* node, const QString& alias) {
        tab.tree()->setCurrentItem(node);
        QLineEdit* field = tab.aliasField();
        field->setFocus();
        field->selectAll();
        if (alias.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Delete);
        } else {
            QTest::keyClicks(field, alias);
        }
        QTest::keyClick(field, Qt::Key_Return);
    }
    DictNode* expanded(std::string_view dataSet) {
        DictNode* node = fields().componentNode(dataSet);
        node->setExpanded(true);
        return node;
    }

    std::unique_ptr<TvlDictForm> form;
};

} // namespace

TEST_F(TvlAliasTabTest, ChosenDataSetsAreNodesAndTheOthersWaitInTheList) {
    dictionary().FieldAliases.SetVariable("Customers", Variant("Clients"));
    dictionary().FieldAliases.SetVariable("Customers.City", Variant("Town"));
    dictionary().FieldAliases.SetVariable("Customers.Phone", Variant(std::string()));
    open();
    EXPECT_EQ(fields().root()->text(0), "Datasets and fields");
    EXPECT_EQ(children(fields().root()), (QStringList{"Customers {Clients}"}));
    // Hidden data sets are offered nowhere.
    EXPECT_EQ(listed(fields()), (QStringList{"Orders"}));

    DictNode* customers = expanded("Customers");
    EXPECT_EQ(children(customers), (QStringList{"City {Town}", "Name", "Phone"}));
    EXPECT_EQ(AsDictNode(customers->child(2))->kind(), DictNodeKind::ExcludedField);

    fields().tree()->setCurrentItem(customers->child(0));
    EXPECT_EQ(fields().aliasField()->text(), "Town");
    EXPECT_FALSE(fields().excludeBox()->isChecked());
    fields().tree()->setCurrentItem(customers->child(2));
    EXPECT_TRUE(fields().excludeBox()->isChecked());
    fields().tree()->setCurrentItem(fields().root());
    EXPECT_FALSE(fields().aliasField()->isEnabled());
}

TEST_F(TvlAliasTabTest, FieldAliasesAndExclusionsUseTheDictionarysKeys) {
    dictionary().FieldAliases.SetVariable("Customers", Variant(std::string()));
    open();
    DictNode* customers = expanded("Customers");
    QTreeWidgetItem* name = customers->child(1);
    typeAlias(fields(), name, "Customer name");
    EXPECT_EQ(name->text(0), "Name {Customer name}");
    EXPECT_EQ(aliases().GetVariable("Customers.Name").toString(), "Customer name");
    EXPECT_TRUE(fields().tree()->hasFocus());

    // Space excludes a field; an excluded field has the empty alias.
    QTest::keyClick(fields().tree(), Qt::Key_Space);
    EXPECT_EQ(name->text(0), "Name");
    EXPECT_TRUE(fields().excludeBox()->isChecked());
    ASSERT_NE(aliases().Find("Customers.Name"), nullptr);
    EXPECT_EQ(aliases().GetVariable("Customers.Name").toString(), "");
    fields().excludeBox()->click();
    EXPECT_EQ(aliases().Find("Customers.Name"), nullptr);

    // An alias typed for an excluded field shows the field under it again.
    fields().excludeBox()->click();
    typeAlias(fields(), name, "Who");
    EXPECT_EQ(AsDictNode(name)->kind(), DictNodeKind::Field);
    EXPECT_EQ(aliases().GetVariable("Customers.Name").toString(), "Who");
    // Clearing the alias of a field forgets its key.
    typeAlias(fields(), name, {});
    EXPECT_EQ(aliases().Find("Customers.Name"), nullptr);

    // Choosing another node stores what was typed for the one before.
    fields().tree()->setCurrentItem(customers->child(0));
    QTest::keyClicks(fields().aliasField(), "Town");
    fields().tree()->setCurrentItem(customers->child(2));
    EXPECT_EQ(aliases().GetVariable("Customers.City").toString(), "Town");
    EXPECT_EQ(aliases().Find("Customers.Phone"), nullptr);

    // The data set's own alias.
    typeAlias(fields(), customers, "Clients");
    EXPECT_EQ(customers->text(0), "Customers {Clients}");
    EXPECT_EQ(aliases().GetVariable("Customers").toString(), "Clients");

    // What the dictionary then offers.
    form->accept();
    StringList offered;
    dictionary().GetDataSetList(offered);
    EXPECT_EQ(offered, StringList{"Clients"});
}

TEST_F(TvlAliasTabTest, MovingDataSetsBackAndForth) {
    dictionary().FieldAliases.SetVariable("Customers", Variant("Clients"));
    dictionary().FieldAliases.SetVariable("Customers.City", Variant("Town"));
    open();
    // Moving a data set to the list removes the aliases of all its fields.
    fields().tree()->setCurrentItem(fields().componentNode("Customers"));
    fields().MoveToList();
    EXPECT_EQ(aliases().Count(), 0);
    EXPECT_EQ(listed(fields()), (QStringList{"Customers", "Orders"}));
    EXPECT_EQ(fields().root()->childCount(), 0);

    // A double click chooses an entry; the selection stays in place.
    QListWidget* list = fields().list();
    const QPoint orders = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, orders);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, orders);
    EXPECT_EQ(children(fields().root()), (QStringList{"Orders"}));
    EXPECT_EQ(aliases().GetVariable("Orders").toString(), "");
    EXPECT_EQ(list->currentRow(), 0);

    fields().MoveAllToTree();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(aliases().Count(), 2);
    fields().MoveAllToList();
    EXPECT_EQ(aliases().Count(), 0);
    EXPECT_EQ(listed(fields()), (QStringList{"Customers", "Orders"}));
    // "<" needs a data-set node.
    fields().tree()->setCurrentItem(fields().root());
    fields().MoveToList();
    EXPECT_EQ(list->count(), 2);
}

TEST_F(TvlAliasTabTest, DataSourcesTakeAliases) {
    dictionary().DataSourceAliases.SetVariable("DatasetTask", Variant("Tasks"));
    open();
    EXPECT_EQ(sources().root()->text(0), "Datasources");
    EXPECT_EQ(children(sources().root()), (QStringList{"DatasetTask {Tasks}"}));
    EXPECT_EQ(listed(sources()), (QStringList{"DatasetContacts"}));

    sources().list()->item(0)->setSelected(true);
    sources().MoveToTree();
    QTreeWidgetItem* contacts = sources().componentNode("DatasetContacts");
    ASSERT_NE(contacts, nullptr);
    EXPECT_EQ(contacts->childCount(), 0);
    typeAlias(sources(), contacts, "People");
    EXPECT_EQ(contacts->text(0), "DatasetContacts {People}");
    EXPECT_EQ(form->workingDataSourceAliases().GetVariable("DatasetContacts").toString(), "People");
    sources().MoveAllToList();
    EXPECT_EQ(form->workingDataSourceAliases().Count(), 0);
    EXPECT_EQ(listed(sources()), (QStringList{"DatasetContacts", "DatasetTask"}));
}
