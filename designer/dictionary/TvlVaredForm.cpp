#include "designer/dictionary/TvlVaredForm.h"

#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlVariables.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kCaptionText = 53360;
constexpr int kLabelText = 53361;
constexpr int kOkText = 55000;
constexpr int kCancelText = 55001;

QString text(int id) {
    return ToQt(LoadResString(id));
}

} // namespace

TvlVaredForm::TvlVaredForm(TvlVariables& variables, QWidget* parent)
    : QDialog(parent), variables_(variables), editor_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("TvlVaredForm"));
    setWindowTitle(text(kCaptionText));

    auto* label = new QLabel(text(kLabelText), this);
    label->setBuddy(editor_);
    editor_->setObjectName(QStringLiteral("M1"));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setTabChangesFocus(true);
    editor_->setToolTip(tr("One category or variable per line; a variable's line begins with a "
                           "blank"));
    editor_->setPlainText(LinesOf(variables).join(QLatin1Char('\n')));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text(kOkText));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(kCancelText));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(editor_, 1);
    layout->addWidget(buttons);
    resize(300, 380);
}

QStringList TvlVaredForm::LinesOf(const TvlVariables& variables) {
    QStringList lines;
    for (int i = 0; i < variables.Count(); ++i) {
        const std::string name = variables.GetName(i);
        // A category's name is its leading blank and its title.
        lines << (name.starts_with(' ') ? ToQt(name.substr(1)) : QLatin1Char(' ') + ToQt(name));
    }
    return lines;
}

void TvlVaredForm::ApplyLines(const QStringList& lines, TvlVariables& variables) {
    TvlVariables result;
    for (const QString& line : lines) {
        const std::string text = FromQt(line);
        if (TrimBlanks(text).empty()) continue;
        std::string name;
        if (text.starts_with(' ')) {
            // More blanks would make the variable a category.
            name = text.substr(text.find_first_not_of(' '));
            if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
        } else {
            name = ' ' + text;
        }
        const Variant* old = variables.Find(name);
        result.SetVariable(name, old ? *old : Variant(std::string()));
    }
    variables.Assign(result);
}

void TvlVaredForm::accept() {
    ApplyLines(editor_->toPlainText().split(QLatin1Char('\n')), variables_);
    QDialog::accept();
}

} // namespace vl
