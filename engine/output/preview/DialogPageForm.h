#pragma once

#include <QDialog>

namespace vl {

class TvlPage;
class TvlViewPage;

// The window of a dialog page while a report is built: the page's caption,
// colour and size, and a widget for each dialog control at the place the
// template gives it. A button with a modal result closes it with that
// result; closing it any other way counts as Cancel.
class DialogPageForm : public QDialog {
public:
    DialogPageForm(TvlPage& page, QWidget* parent);
    ~DialogPageForm() override;

    // Shows the form modally and leaves what the user entered in the
    // controls' objects; returns the modal result (1 OK, 2 Cancel).
    int Run();

private:
    void readBack();

    TvlPage& page_;
};

// Shows a dialog page's form; pages of other kinds are accepted at once.
int ShowDialogPageForm(TvlViewPage& page);

} // namespace vl
