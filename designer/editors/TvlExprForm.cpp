#include "designer/editors/TvlExprForm.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "designer/editors/TvlFieldsForm.h"
#include "designer/editors/TvlFuncArgForm.h"
#include "designer/editors/TvlFuncForm.h"
#include "designer/editors/TvlVarForm.h"
#include "engine/script/CodePage.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TvlDataDictionary.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr const char* kOperators[] = {"+", "-",  "*",  "/",   "=",  "<>", ">",
                                      "<", ">=", "<=", "And", "Or", "Not"};

} // namespace

TvlExprForm::TvlExprForm(TvlEditorHost& host, QWidget* parent)
    : QDialog(parent), host_(host), memo_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("TvlExprForm"));
    setWindowTitle(ResText(53700));
    memo_->setObjectName(QStringLiteral("ExprMemo"));
    memo_->setTabChangesFocus(true);
    auto* exprGroup = new QGroupBox(ResText(53701), this);
    auto* exprLayout = new QVBoxLayout(exprGroup);
    exprLayout->addWidget(memo_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ResText(55000));
    buttons->button(QDialogButtonBox::Cancel)->setText(ResText(55001));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exprGroup, 1);
    layout->addWidget(createInsertGroup());
    layout->addWidget(buttons);
    resize(480, 340);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    memo_->setFocus();
}

QWidget* TvlExprForm::createInsertGroup() {
    auto* group = new QGroupBox(ResText(53702), this);
    auto* grid = new QGridLayout(group);
    struct Inserter {
        const char* name;
        int text;
        const char* icon;
        void (TvlExprForm::*run)();
    };
    const Inserter inserters[] = {
        {"InsDBBtn", 53703, "insert-field", &TvlExprForm::insertDataField},
        {"InsVarBtn", 53704, "variable", &TvlExprForm::insertVariable},
        {"InsFuncBtn", 53705, "function", &TvlExprForm::insertFunction},
    };
    int row = 0;
    for (const Inserter& i : inserters) {
        auto* b = new QPushButton(EditorIcon({}, QString::fromLatin1(i.icon)), ResText(i.text));
        b->setObjectName(QString::fromLatin1(i.name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, i.run);
        grid->addWidget(b, row++, 0);
    }
    auto* ops = new QGridLayout;
    ops->setSpacing(4);
    int n = 0;
    for (const char* op : kOperators) {
        auto* b = new QPushButton(QString::fromLatin1(op), group);
        b->setObjectName(QStringLiteral("OpBtn%1").arg(n + 1));
        b->setAutoDefault(false);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("Not")) + 20);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, [this, op] { insertText(std::string(op) + " "); });
        ops->addWidget(b, n / 5, n % 5);
        ++n;
    }
    grid->addLayout(ops, 0, 1, 3, 1);
    grid->setColumnStretch(2, 1);
    return group;
}

std::string TvlExprForm::expression() const {
    return FromQt(memo_->toPlainText());
}

void TvlExprForm::setExpression(const std::string& text) {
    memo_->setPlainText(ToQt(text));
    memo_->moveCursor(QTextCursor::End);
}

void TvlExprForm::insertText(const std::string& text) {
    memo_->insertPlainText(ToQt(text));
    memo_->setFocus();
}

void TvlExprForm::insertDataField() {
    TvlFieldsForm chooser(host_.dictionary(), host_.chooserMemory(), this);
    if (chooser.exec() != QDialog::Accepted) return;
    if (const std::string ref = chooser.result(); !ref.empty()) insertText(BracketName(ref));
}

void TvlExprForm::insertVariable() {
    TvlVarForm chooser(host_.dictionary(), host_.chooserMemory(), this);
    if (chooser.exec() != QDialog::Accepted) return;
    if (const std::string name = chooser.result(); !name.empty()) insertText(BracketName(name));
}

void TvlExprForm::insertFunction() {
    TvlFuncForm chooser(host_.dictionary().engine().installedFunctions(), this);
    if (chooser.exec() != QDialog::Accepted) return;
    const std::string name = chooser.functionName();
    if (name.empty()) return;
    if (chooser.syntaxText().find('(') == std::string::npos) {
        insertText(BracketName(name));
        return;
    }
    TvlFuncArgForm args(host_, name, chooser.syntaxText(), chooser.descriptionText(), this);
    if (args.exec() == QDialog::Accepted) insertText(args.callText());
}

} // namespace vl
