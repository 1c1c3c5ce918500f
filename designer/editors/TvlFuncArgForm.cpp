#include "designer/editors/TvlFuncArgForm.h"

#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "designer/editors/TextInsertions.h"
#include "engine/script/CodePage.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace vl {

TvlFuncArgForm::TvlFuncArgForm(TvlEditorHost& host, std::string name, const std::string& syntax,
                               const std::string& description, QWidget* parent)
    : QDialog(parent), host_(host), name_(std::move(name)) {
    setObjectName(QStringLiteral("TvlFuncArgForm"));
    setWindowTitle(ResText(53730));
    auto* layout = new QGridLayout(this);
    const int rows = ArgumentRowCount(syntax);
    for (int i = 0; i < 3; ++i) {
        const auto n = static_cast<std::size_t>(i);
        labels_[n] = new QLabel(ResText(53731) + QStringLiteral(" &%1").arg(i + 1), this);
        edits_[n] = new QLineEdit(this);
        edits_[n]->setObjectName(QStringLiteral("ArgEdit%1").arg(i + 1));
        edits_[n]->setMinimumWidth(280);
        labels_[n]->setBuddy(edits_[n]);
        buttons_[n] = new QToolButton(this);
        buttons_[n]->setObjectName(QStringLiteral("ExprBtn%1").arg(i + 1));
        buttons_[n]->setIcon(EditorIcon({}, QStringLiteral("insert-expression")));
        buttons_[n]->setToolTip(ResText(53575));
        buttons_[n]->setAccessibleName(ResText(53575));
        connect(buttons_[n], &QToolButton::clicked, this, [this, i] { buildExpression(i); });
        layout->addWidget(labels_[n], i, 0);
        layout->addWidget(edits_[n], i, 1);
        layout->addWidget(buttons_[n], i, 2);
        const bool enabled = i < rows;
        for (QWidget* w : {static_cast<QWidget*>(labels_[n]), static_cast<QWidget*>(edits_[n]),
                           static_cast<QWidget*>(buttons_[n])})
            w->setEnabled(enabled);
    }
    auto* syntaxLabel = new QLabel(ToQt(syntax), this);
    syntaxLabel->setObjectName(QStringLiteral("FuncLabel"));
    syntaxLabel->setTextFormat(Qt::PlainText);
    QFont bold = syntaxLabel->font();
    bold.setBold(true);
    syntaxLabel->setFont(bold);
    auto* descrLabel = new QLabel(ToQt(description), this);
    descrLabel->setObjectName(QStringLiteral("DescrLabel"));
    descrLabel->setTextFormat(Qt::PlainText);
    descrLabel->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->setRowMinimumHeight(3, 8);
    layout->addWidget(syntaxLabel, 4, 0, 1, 3);
    layout->addWidget(descrLabel, 5, 0, 1, 3);
    layout->setRowStretch(5, 1);
    layout->addWidget(buttons, 6, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TvlFuncArgForm::buildExpression(int row) {
    std::string expression = FromQt(argumentEdit(row)->text());
    if (EditExpression(host_, this, expression)) argumentEdit(row)->setText(ToQt(expression));
}

std::string TvlFuncArgForm::callText() const {
    return FunctionCallText(name_, FromQt(edits_[0]->text()), FromQt(edits_[1]->text()),
                            FromQt(edits_[2]->text()));
}

} // namespace vl
