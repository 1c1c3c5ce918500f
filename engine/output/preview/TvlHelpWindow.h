#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace vl {

// The user guide in a window of its own: the Markdown text rendered with
// its pictures, and a search field whose Enter (or F3) finds the next
// place, going round at the end and saying when the text is not there.
// One window serves the whole program; opening it again brings it up.
class TvlHelpWindow : public QDialog {
    Q_OBJECT
public:
    // Opens (or raises) the guide at the first heading that holds topic,
    // or at the top. A missing guide is said in a message box.
    static TvlHelpWindow* Show(QWidget* parent, const QString& topic = {});

    explicit TvlHelpWindow(const QString& guide, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* searchField() const { return search_; }
    QLabel* searchStatus() const { return status_; }
    // Finds the search field's text after the cursor, from the top again
    // when it is not found further on; false when the text holds it nowhere.
    bool findNext();
    // Moves to the first heading that holds topic; false when none does.
    bool showTopic(const QString& topic);

private:
    void fitPictures();

    QTextBrowser* browser_;
    QLineEdit* search_;
    QLabel* status_;
};

// The user guide's Markdown file: beside the program, in the installed
// documentation folder or in the source tree; empty when none is found.
QString FindUserGuide();

} // namespace vl
