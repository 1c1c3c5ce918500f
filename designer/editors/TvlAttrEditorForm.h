#pragma once

#include "designer/editors/TvlObjEditorForm.h"

class QLineEdit;

namespace vl {

class TvlEditorHost;

// "Object tag": edits an object's Tag, with a button that inserts an
// expression from the expression builder.
class TvlAttrEditorForm : public TvlObjEditorForm {
    Q_OBJECT
public:
    explicit TvlAttrEditorForm(TvlEditorHost& host, QWidget* parent = nullptr);

    // Cancel at once for an object whose contents may not be edited.
    int ShowEditor(TvlView& view) override;
    void insertExpression();

private:
    TvlEditorHost& host_;
    QLineEdit* edit_;
};

} // namespace vl
