#pragma once

#include <QDialog>

namespace vl {

class TvlView;

// The designer's object editor dialogs: each edits one view and reports
// the modal result, kModalOk (1) or kModalCancel (2).
class TvlObjEditorForm : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    // Shows the dialog modally for the view; on OK the view is changed.
    virtual int ShowEditor(TvlView& view) = 0;
};

} // namespace vl
