#include "designer/dictionary/TvlDictForm.h"

#include "designer/dictionary/DictNode.h"
#include "designer/dictionary/TvlFieldAliasTab.h"
#include "designer/dictionary/TvlVaredForm.h"
#include "tests/designer/dictionary/DictionaryFixture.h"
#include "tests/support/ModalDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace vl;
using namespace vltest;

namespace {

class TvlDictFormTest : public DictionaryFixture {
protected:
    // Opens the editor on the dictionary as it is now.
    TvlDictForm& open() {
        form = std::make_unique<TvlDictForm>(dictionary(), report);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }

    TvlDictVariablesTab& tab() { return form->variablesTab(); }
    QTreeWidget* tree() { return tab().tree(); }
    const TvlVariables& working() { return form->workingVariables(); }
    DictNode* node(int category, int variable = -1) {
        QTreeWidgetItem* item = tree()->topLevelItem(category);
        if (item && variable >= 0) item = item->child(variable);
        return AsDictNode(item);
    }
    void select(DictNode* node) { tree()->setCurrentItem(node); }
    // Ends an in-place edit with the text.
    void rename(DictNode* node, const QString& text) { node->setText(0, text); }
    void clickExpressionBox() {
        QCheckBox* box = tab().expressionBox();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    std::string nameAt(int index) { return working().GetName(index); }
    QString valueShown() {
        QListWidgetItem* item = tab().valueList()->currentItem();
        return item ? item->text() : QString();
    }

    // Categories Sales (Total = Orders."Number", Count = PAGE#) and Misc (Note = [Price] * 2).
    void addSampleVariables() {
        variables().SetVariable(" Sales", Variant(std::string()));
        variables().SetVariable("Total", Variant("Orders.\"Number\""));
        variables().SetVariable("Count", Variant("PAGE#"));
        variables().SetVariable(" Misc", Variant(std::string()));
        variables().SetVariable("Note", Variant("[Price] * 2"));
    }

    std::unique_ptr<TvlDictForm> form;
};

} // namespace

TEST_F(TvlDictFormTest, AnEmptyDictionaryShowsAPlaceholderUntilACategoryIsAdded) {
    open();
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(node(0)->kind(), DictNodeKind::Placeholder);
    EXPECT_EQ(node(0)->text(0), "[None]");
    EXPECT_FALSE(tree()->rootIsDecorated());
    EXPECT_FALSE(tab().expressionBox()->isEnabled());
    EXPECT_FALSE(form->findChild<QToolButton*>("NewVarBtn")->isEnabled());

    QTest::keyClick(tree(), Qt::Key_Insert);
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(node(0)->kind(), DictNodeKind::Category);
    EXPECT_EQ(node(0)->text(0), "Category1");
    EXPECT_TRUE(tree()->rootIsDecorated());
    EXPECT_EQ(working().Count(), 1);
    EXPECT_EQ(nameAt(0), " Category1");
    EXPECT_EQ(working().GetValue(0).toString(), "");
}

TEST_F(TvlDictFormTest, NewCategoriesAndVariablesTakeTheFirstFreeNumber) {
    variables().SetVariable(" Category1", Variant(std::string()));
    variables().SetVariable(" category2", Variant(std::string()));
    variables().SetVariable("Variable1", Variant("1"));
    open();
    tab().NewCategory();
    EXPECT_EQ(nameAt(3), " Category3");
    EXPECT_EQ(node(2)->text(0), "Category3");
    EXPECT_EQ(tree()->currentItem(), node(2));

    // Variable1 belongs to category2.
    select(node(0));
    tab().NewVariable();
    ASSERT_NE(node(0, 0), nullptr);
    EXPECT_EQ(node(0, 0)->text(0), "Variable2");
    EXPECT_EQ(tree()->currentItem(), node(0, 0));
}

TEST_F(TvlDictFormTest, NewVariablesGoToTheEndOfTheirCategory) {
    addSampleVariables();
    open();
    select(node(0, 1)); // Count, in Sales
    tab().NewVariable();
    // Inserted before Misc, with the empty text as at the end of the list.
    EXPECT_EQ(nameAt(3), "Variable1");
    EXPECT_TRUE(working().GetValue(3).isString());
    EXPECT_EQ(working().GetValue(3).toString(), "");
    EXPECT_EQ(nameAt(4), " Misc");
    ASSERT_EQ(node(0)->childCount(), 3);
    EXPECT_EQ(node(0, 2)->text(0), "Variable1");

    select(node(1));
    QTest::keyClick(tree(), Qt::Key_Insert);
    EXPECT_EQ(nameAt(working().Count() - 1), "Variable2");
    EXPECT_TRUE(working().GetValue(working().Count() - 1).isString());
    EXPECT_EQ(node(1, 1)->text(0), "Variable2");

    // Ctrl+Insert adds a category also with a variable selected.
    select(node(1, 0));
    QTest::keyClick(tree(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(tree()->topLevelItemCount(), 3);
}

TEST_F(TvlDictFormTest, RenamingRefusesNamesInUse) {
    addSampleVariables();
    open();
    rename(node(0, 0), "count");
    EXPECT_EQ(node(0, 0)->text(0), "Total");
    EXPECT_EQ(nameAt(1), "Total");
    rename(node(0, 0), "TOTAL");
    EXPECT_EQ(nameAt(1), "TOTAL");
    rename(node(0, 0), "  ");
    EXPECT_EQ(nameAt(1), "TOTAL");
    rename(node(0, 0), " Sum ");
    EXPECT_EQ(nameAt(1), "Sum");
    EXPECT_EQ(node(0, 0)->text(0), "Sum");
    // A category and a variable may share a title.
    rename(node(1), "Sum");
    EXPECT_EQ(nameAt(3), " Sum");
    rename(node(1), "Sales");
    EXPECT_EQ(nameAt(3), " Sum");
}

TEST_F(TvlDictFormTest, DeletingACategoryDeletesItsVariables) {
    addSampleVariables();
    open();
    select(node(0));
    QTest::keyClick(tree(), Qt::Key_Delete);
    ASSERT_EQ(working().Count(), 2);
    EXPECT_EQ(nameAt(0), " Misc");
    EXPECT_EQ(nameAt(1), "Note");

    select(node(0, 0));
    tab().DeleteSelected();
    EXPECT_EQ(working().Count(), 1);
    tab().DeleteSelected();
    EXPECT_EQ(working().Count(), 0);
    EXPECT_EQ(node(0)->kind(), DictNodeKind::Placeholder);
    EXPECT_FALSE(tree()->rootIsDecorated());
}

TEST_F(TvlDictFormTest, ValuesShowAsDataFieldsSystemVariablesOrExpressions) {
    addSampleVariables();
    variables().SetVariable("Rate", Variant("[Price] * 2.5"));
    variables().SetVariable("Customer", Variant("Customers.\"Name\""));
    variables().SetVariable("Lost", Variant("Customers.\"Missing\""));
    open();
    select(node(0, 0));
    EXPECT_EQ(tab().valueSets()->currentText(), "Orders");
    EXPECT_EQ(valueShown(), "Number");
    EXPECT_FALSE(tab().expressionBox()->isChecked());
    EXPECT_FALSE(tab().expressionField()->isEnabled());

    select(node(0, 1));
    EXPECT_EQ(tab().valueSets()->currentText(), "System variables");
    EXPECT_EQ(valueShown(), "Page#");

    select(node(1, 0));
    EXPECT_TRUE(tab().expressionBox()->isChecked());
    EXPECT_EQ(tab().expressionField()->text(), "[Price] * 2");
    // A dot that is no data field still shows the expression.
    select(node(1, 1));
    EXPECT_EQ(tab().expressionField()->text(), "[Price] * 2.5");
    select(node(1, 2));
    EXPECT_EQ(tab().valueSets()->currentText(), "Customers");
    EXPECT_EQ(valueShown(), "Name");
    select(node(1, 3));
    EXPECT_TRUE(tab().expressionBox()->isChecked());
    EXPECT_EQ(tab().expressionField()->text(), "Customers.\"Missing\"");

    select(node(1));
    EXPECT_FALSE(tab().expressionBox()->isEnabled());
    EXPECT_EQ(valueShown(), "[None]");
}

TEST_F(TvlDictFormTest, ChoosingAValueStoresIt) {
    addSampleVariables();
    dictionary().FieldAliases.SetVariable("Customers", Variant("Clients"));
    dictionary().FieldAliases.SetVariable("Customers.City", Variant("Town"));
    open();
    select(node(1, 0));
    QComboBox* sets = tab().valueSets();
    ASSERT_EQ(sets->count(), 2);
    sets->setCurrentIndex(0);
    sets->activated(0);
    QListWidget* list = tab().valueList();
    ASSERT_EQ(list->count(), 4); // [None], Phone, Name, Town
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    EXPECT_EQ(working().GetVariable("Note").toString(), "Customers.\"City\"");
    EXPECT_FALSE(tab().expressionBox()->isChecked());
    EXPECT_TRUE(tab().expressionField()->text().isEmpty());

    sets->setCurrentIndex(1);
    sets->activated(1);
    list->setCurrentRow(8);
    EXPECT_EQ(working().GetVariable("Note").toString(), "TOTALPAGES");
    list->setCurrentRow(0);
    EXPECT_EQ(working().GetVariable("Note").toString(), "");
}

TEST_F(TvlDictFormTest, TypedExpressionsAreStoredWhenLeavingTheField) {
    addSampleVariables();
    open();
    select(node(0, 0));
    clickExpressionBox();
    EXPECT_TRUE(tab().expressionField()->isEnabled());
    EXPECT_TRUE(tab().expressionField()->hasFocus());
    EXPECT_EQ(valueShown(), "[None]");
    QTest::keyClicks(tab().expressionField(), "[Qty] * 3");
    tree()->setFocus();
    EXPECT_EQ(working().GetVariable("Total").toString(), "[Qty] * 3");

    // Unchecking clears the value.
    select(node(0, 0));
    EXPECT_TRUE(tab().expressionBox()->isChecked());
    clickExpressionBox();
    EXPECT_EQ(working().GetVariable("Total").toString(), "");
    EXPECT_TRUE(tab().expressionField()->text().isEmpty());
}

TEST_F(TvlDictFormTest, OkCopiesTheWorkingListsBackAndStoresPendingTyping) {
    addSampleVariables();
    open();
    select(node(1, 0));
    tab().expressionField()->setFocus();
    tab().expressionField()->selectAll();
    QTest::keyClicks(tab().expressionField(), "[Tax]");
    tab().NewCategory();
    form->fieldAliasTab().MoveAllToTree();
    // Enter in the expression field presses OK without leaving the field.
    select(node(1, 0));
    tab().expressionField()->setFocus();
    QTest::keyClick(tab().expressionField(), Qt::Key_End);
    QTest::keyClicks(tab().expressionField(), "+1");
    QTest::keyClick(tab().expressionField(), Qt::Key_Return);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(variables().GetVariable("Note").toString(), "[Tax]+1");
    EXPECT_GE(variables().IndexOf(" Category1"), 0);
    EXPECT_GE(dictionary().FieldAliases.IndexOf("Orders"), 0);
}

TEST_F(TvlDictFormTest, CancelLeavesTheDictionaryUnchanged) {
    addSampleVariables();
    dictionary().FieldAliases.SetVariable("Orders", Variant("Sales orders"));
    dictionary().DataSourceAliases.SetVariable("DatasetTask", Variant("Tasks"));
    open();
    select(node(0));
    tab().DeleteSelected();
    tab().NewCategory();
    form->fieldAliasTab().MoveAllToList();
    form->dataSourceTab().MoveAllToTree();
    select(node(0));
    QTest::keyClick(tree(), Qt::Key_Escape);
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(variables().Count(), 5);
    EXPECT_EQ(variables().GetName(0), " Sales");
    EXPECT_EQ(dictionary().FieldAliases.Count(), 1);
    EXPECT_EQ(dictionary().DataSourceAliases.Count(), 1);
}

TEST_F(TvlDictFormTest, EnterInTheTreeEditsInsteadOfClosing) {
    addSampleVariables();
    open();
    select(node(0, 0));
    QTest::keyClick(tree(), Qt::Key_Return);
    EXPECT_TRUE(form->isVisible());
    auto* editor = qobject_cast<QLineEdit*>(tree()->indexWidget(tree()->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Grand"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(nameAt(1), "Grand");
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TvlDictFormTest, TheListEditorRebuildsTheTree) {
    addSampleVariables();
    open();
    vl::test::ModalDialogs dialogs;
    dialogs.expect<TvlVaredForm>([](TvlVaredForm& editor) {
        editor.editor()->setPlainText(QStringLiteral("Misc\n Note\nSales\n Count\n Extra"));
        editor.accept();
    });
    QTest::mouseClick(form->findChild<QToolButton*>("EditListBtn"), Qt::LeftButton);
    EXPECT_EQ(dialogs.unanswered(), "");
    ASSERT_EQ(working().Count(), 5);
    EXPECT_EQ(nameAt(0), " Misc");
    EXPECT_EQ(working().GetVariable("Count").toString(), "PAGE#");
    EXPECT_EQ(working().GetVariable("Extra").toString(), "");
    EXPECT_EQ(working().IndexOf("Total"), -1);
    EXPECT_EQ(node(0)->text(0), "Misc");
    EXPECT_EQ(node(1, 1)->text(0), "Extra");
    EXPECT_EQ(tree()->currentItem(), node(0));
}

TEST_F(TvlDictFormTest, TheBuilderButtonWaitsForAnExpressionBuilder) {
    addSampleVariables();
    open();
    select(node(1, 0));
    QToolButton* button = tab().builderButton();
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(button->toolTip().isEmpty());
    form->setExpressionBuilder([](QWidget*, std::string& expression) {
        expression += " + 1";
        return true;
    });
    EXPECT_TRUE(button->isEnabled());
    button->click();
    EXPECT_EQ(tab().expressionField()->text(), "[Price] * 2 + 1");
    EXPECT_EQ(working().GetVariable("Note").toString(), "[Price] * 2 + 1");
}
