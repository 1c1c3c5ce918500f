#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "designer/editors/TextInsertions.h"
#include "designer/editors/TvlAttrEditorForm.h"
#include "designer/editors/TvlExprForm.h"
#include "designer/editors/TvlFieldsForm.h"
#include "designer/editors/TvlFuncArgForm.h"
#include "designer/editors/TvlFuncForm.h"
#include "designer/editors/TvlVarForm.h"
#include "engine/model/TvlMemoView.h"
#include "tests/designer/editors/EditorTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace vltest {
namespace {

TEST(ExpressionTextTest, BracketsNamesAndExpressionsAsTheDesignerInsertsThem) {
    EXPECT_EQ(BracketName("MYVAR"), "MYVAR");
    EXPECT_EQ(BracketName("Customers.Name"), "Customers.Name");
    EXPECT_EQ(BracketName("Customers.\"Name\""), "[Customers.\"Name\"]");
    EXPECT_EQ(BracketName("PAGE#"), "[PAGE#]");
    EXPECT_EQ(BracketName("Due date"), "[Due date]");
    EXPECT_EQ(BracketName("Gr\xFC\xDF"), "[Gr\xFC\xDF]");

    EXPECT_EQ(BracketExpression("[Price]"), "[Price]");
    EXPECT_EQ(BracketExpression("[Price] * [Qty]"), "[[Price] * [Qty]]");
    EXPECT_EQ(BracketExpression("Price"), "[Price]");
    EXPECT_EQ(BracketExpression(""), "");
    // Only the 255 characters after the first count.
    EXPECT_EQ(BracketExpression("[" + std::string(300, 'x') + "[y]"),
              "[" + std::string(300, 'x') + "[y]");
}

TEST(ExpressionTextTest, BuildsCallsAndReadsDescriptionsAndErrors) {
    EXPECT_EQ(FunctionCallText("POS", "'b'", "'abc'", ""), "POS('b', 'abc')");
    EXPECT_EQ(FunctionCallText("COPY", "'abc'", "", "2"), "COPY('abc', 2)");
    EXPECT_EQ(FunctionCallText("DATE", "", "", ""), "DATE()");
    EXPECT_EQ(ArgumentRowCount("COPY(<S>, <P>, <L>)"), 3);
    EXPECT_EQ(ArgumentRowCount("F(a, b, c, d)"), 3);
    EXPECT_EQ(ArgumentRowCount("DATE"), 1);

    const TvlFunctionHelp pos = SplitFunctionDescription("POS(<A>, <B>)/Finds A in B.");
    EXPECT_EQ(pos.syntax, "POS(<A>, <B>)");
    EXPECT_EQ(pos.description, "Finds A in B.");
    const TvlFunctionHelp bare = SplitFunctionDescription(std::string(1500, 'd'));
    EXPECT_EQ(bare.syntax, "");
    EXPECT_EQ(bare.description.size(), 1000u);

    EXPECT_EQ(ParseScriptError("Line 3/5: Need \"then\" here").line, 3);
    EXPECT_EQ(ParseScriptError("Line 3/5: Need \"then\" here").col, 5);
    EXPECT_EQ(ParseScriptError("Line 12/0: x").col, 0);
    EXPECT_EQ(ParseScriptError("Script is longer than 32000 characters").line, 0);
    EXPECT_EQ(ParseScriptError("Script is longer than 32000 characters").col, 1);
    EXPECT_EQ(ParseScriptError("Line x/y: z").line, 0);
}

class ExpressionBuilderTest : public ::testing::Test {
protected:
    // A dialog no case asked for fails the case that met it.
    void TearDown() override {
        if (!HasFailure()) EXPECT_EQ(dialogs.unanswered(), "");
    }

    // Opens the builder, answers it with act and returns its text as
    // InsertExpression gives it.
    std::string build(std::function<void(TvlExprForm&)> act) {
        dialogs.expect<TvlExprForm>(std::move(act));
        const std::string text = InsertExpression(host, nullptr);
        EXPECT_EQ(dialogs.unanswered(), "");
        return text;
    }
    // The list's item of that text made current; false when there is none.
    static bool choose(QListWidget* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        if (found.isEmpty()) return false;
        list->setCurrentItem(found.front());
        return true;
    }

    FakeEditorHost host;
    ModalDialogs dialogs;
};

TEST_F(ExpressionBuilderTest, SystemVariableGoesInBracketed) {
    const std::string text = build([this](TvlExprForm& builder) {
        dialogs.expect<TvlVarForm>([](TvlVarForm& chooser) {
            auto* categories = Child<QListWidget>(chooser, "CategoryLB");
            EXPECT_EQ(categories->count(), 1); // no dictionary categories
            EXPECT_EQ(ItemText(categories, 0), QStringLiteral("System variables"));
            if (!choose(Child<QListWidget>(chooser, "VarLB"), QStringLiteral("TotalPages")))
                return chooser.reject();
            chooser.accept();
        });
        Child<QPushButton>(builder, "InsVarBtn")->click();
        // A plain name goes in bare; the memo gets it in brackets.
        EXPECT_EQ(builder.expression(), "TOTALPAGES");
        dialogs.expect<TvlVarForm>([](TvlVarForm& chooser) { chooser.accept(); });
        Child<QPushButton>(builder, "InsVarBtn")->click();
        EXPECT_EQ(builder.expression(), "TOTALPAGES[PAGE#]");
        builder.setExpression("TOTALPAGES");
        builder.accept();
    });
    EXPECT_EQ(text, "[TOTALPAGES]");
    EXPECT_EQ(host.choosers.category, "System variables");
}

TEST_F(ExpressionBuilderTest, DictionaryVariablesAndOperators) {
    host.report.Dictionary().Variables.SetVariable(" Totals", Variant(""));
    host.report.Dictionary().Variables.SetVariable("Sum of tasks", Variant("1"));
    host.report.Dictionary().Variables.SetVariable("COUNT_", Variant("2"));
    const std::string text = build([this](TvlExprForm& builder) {
        dialogs.expect<TvlVarForm>([](TvlVarForm& chooser) {
            EXPECT_EQ(Child<QListWidget>(chooser, "CategoryLB")->currentRow(), 0);
            auto* vars = Child<QListWidget>(chooser, "VarLB");
            EXPECT_EQ(vars->count(), 2);
            vars->setCurrentRow(0);
            chooser.accept();
        });
        Child<QPushButton>(builder, "InsVarBtn")->click();
        for (const char* op : {"OpBtn5", "OpBtn11"})
            Child<QPushButton>(builder, op)->click();
        builder.accept();
    });
    EXPECT_EQ(text, "[[Sum of tasks]= And ]");
}

TEST_F(ExpressionBuilderTest, DataFieldReferenceAndRememberedDataSet) {
    const std::string text = build([this](TvlExprForm& builder) {
        dialogs.expect<TvlFieldsForm>([](TvlFieldsForm& chooser) {
            auto* sets = Child<QListWidget>(chooser, "DatasetsLB");
            EXPECT_EQ(sets->count(), 1);
            EXPECT_EQ(CurrentText(sets), QStringLiteral("DatasetTask"));
            auto* fields = Child<QListWidget>(chooser, "FieldsLB");
            EXPECT_EQ(fields->count(), 2);
            fields->setCurrentRow(0);
            chooser.accept();
        });
        Child<QPushButton>(builder, "InsDBBtn")->click();
        builder.accept();
    });
    EXPECT_EQ(text, "[DatasetTask.\"Name\"]");
    EXPECT_EQ(host.choosers.dataSet, "DatasetTask");
}

TEST_F(ExpressionBuilderTest, FunctionWithArgumentsBecomesACall) {
    const std::string text = build([this](TvlExprForm& builder) {
        dialogs.expect<TvlFuncForm>([this](TvlFuncForm& chooser) {
            auto* tree = Child<QTreeWidget>(chooser, "Tree1");
            EXPECT_EQ(tree->currentItem() ? tree->currentItem()->text(0) : QString(),
                      QStringLiteral("All functions"));
            const auto strings =
                tree->findItems(QStringLiteral("String"), Qt::MatchExactly | Qt::MatchRecursive);
            EXPECT_EQ(strings.size(), 1);
            if (strings.isEmpty()) return chooser.reject();
            tree->setCurrentItem(strings.front());
            if (!choose(Child<QListWidget>(chooser, "FuncLB"), QStringLiteral("POS")))
                return chooser.reject();
            EXPECT_EQ(Child<QLabel>(chooser, "FuncLabel")->text(),
                      QStringLiteral("POS(<SubString>, <String>)"));
            dialogs.expect<TvlFuncArgForm>([](TvlFuncArgForm& args) {
                EXPECT_TRUE(args.argumentEdit(1)->isEnabled());
                EXPECT_FALSE(args.argumentEdit(2)->isEnabled());
                args.argumentEdit(0)->setText(QStringLiteral("'b'"));
                args.argumentEdit(1)->setText(QStringLiteral("'abc'"));
                args.accept();
            });
            chooser.accept();
        });
        Child<QPushButton>(builder, "InsFuncBtn")->click();
        builder.accept();
    });
    EXPECT_EQ(text, "[POS('b', 'abc')]");
}

TEST_F(ExpressionBuilderTest, CancelGivesNothing) {
    EXPECT_EQ(build([](TvlExprForm& builder) {
                  builder.setExpression("[Price] * [Qty]");
                  builder.reject();
              }),
              "");
    EXPECT_EQ(build([](TvlExprForm& builder) {
                  builder.setExpression("[Price] * [Qty]");
                  builder.accept();
              }),
              "[[Price] * [Qty]]");
}

TEST_F(ExpressionBuilderTest, EditExpressionStartsFromTheGivenText) {
    std::string expression = "[Price]";
    dialogs.expect<TvlExprForm>([](TvlExprForm& builder) {
        EXPECT_EQ(builder.expression(), "[Price]");
        Child<QPushButton>(builder, "OpBtn3")->click();
        builder.accept();
    });
    EXPECT_TRUE(EditExpression(host, nullptr, expression));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(expression, "[Price]* ");
    dialogs.expect<TvlExprForm>([](TvlExprForm& builder) { builder.reject(); });
    EXPECT_FALSE(EditExpression(host, nullptr, expression));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(expression, "[Price]* ");
}

TEST_F(ExpressionBuilderTest, ObjectTagTakesAnExpression) {
    TvlMemoView view;
    view.Tag = "old";
    dialogs.expect<TvlAttrEditorForm>([this](TvlAttrEditorForm& dialog) {
        auto* edit = Child<QLineEdit>(dialog, "E1");
        edit->setText(QStringLiteral("id="));
        dialogs.expect<TvlExprForm>([](TvlExprForm& builder) {
            builder.setExpression("[Tasks.Id]");
            builder.accept();
        });
        dialog.insertExpression();
        dialog.accept();
    });
    EXPECT_EQ(TvlAttrEditorForm(host).ShowEditor(view), kModalOk);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(view.Tag, "id=[Tasks.Id]");
    EXPECT_EQ(host.snapshots, 1);
    // contents that may not be edited: no dialog
    view.Restrictions = rsNoEditContents;
    EXPECT_EQ(TvlAttrEditorForm(host).ShowEditor(view), kModalCancel);
    EXPECT_EQ(dialogs.unanswered(), "");
}

} // namespace
} // namespace vltest
