#include "designer/editors/TextInsertions.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/ExpressionText.h"
#include "designer/editors/TvlExprForm.h"
#include "designer/editors/TvlFieldsForm.h"

namespace vl {

std::string InsertExpression(TvlEditorHost& host, QWidget* parent) {
    TvlExprForm builder(host, parent);
    if (builder.exec() != QDialog::Accepted) return {};
    return BracketExpression(builder.expression());
}

bool EditExpression(TvlEditorHost& host, QWidget* parent, std::string& expression) {
    TvlExprForm builder(host, parent);
    builder.setExpression(expression);
    if (builder.exec() != QDialog::Accepted) return false;
    expression = builder.expression();
    return true;
}

std::string InsertDataField(TvlEditorHost& host, QWidget* parent) {
    TvlFieldsForm chooser(host.dictionary(), host.chooserMemory(), parent);
    if (chooser.exec() != QDialog::Accepted) return {};
    const std::string ref = chooser.result();
    return ref.empty() ? std::string() : "[" + ref + "]";
}

} // namespace vl
