#pragma once

#include <QDialog>

class QLineEdit;

namespace vl {

class TvlEditorHost;
class TvlView;

// "Group": the condition of a group header, with a button that puts a
// data field in its place.
class TvlGroupEditorForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlGroupEditorForm(TvlEditorHost& host, QWidget* parent = nullptr);

    // Shows the dialog for the group header; returns kModalOk or kModalCancel.
    int ShowEditor(TvlView& view);
    void insertDataField();

private:
    TvlEditorHost& host_;
    QLineEdit* condition_;
};

} // namespace vl
