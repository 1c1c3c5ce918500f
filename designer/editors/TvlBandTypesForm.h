#pragma once

#include <QDialog>
#include <vector>

class QRadioButton;

namespace vl {

class TvlViewPage;

// "Insert new band": proposes the type of a band about to be inserted on a
// page. Types a page holds once are offered only while the page has none;
// a sub-report's page also has no title, summary, page or column bands and
// no groups.
class TvlBandTypesForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlBandTypesForm(QWidget* parent = nullptr);

    // The band types 0..21 that may be chosen for that page.
    static std::vector<bool> EnabledTypes(const TvlViewPage* page, bool forSubReportPage);

    // Shows the dialog for the page; returns kModalOk or kModalCancel and
    // leaves the choice in ChosenType.
    int ShowForPage(const TvlViewPage* page);

    bool ForSubReportPage = false;
    int ChosenType = -1;

private:
    std::vector<QRadioButton*> buttons_;
};

} // namespace vl
