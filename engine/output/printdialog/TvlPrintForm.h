#pragma once

#include "engine/output/PrintOrder.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace vl {

class CollatePicture;
class TvlEngine;

// The print dialog: the printer (the system's printers and, where offered,
// "Print to PDF file"; never the virtual printer), the page range, the
// number of copies, collation and odd or even pages. Choosing a printer
// selects it on the engine's printer at once; closing without OK selects
// the printer of the start again. OK refuses a page list or a number of
// copies that cannot be read, and asks for the file of "Print to PDF file".
class TvlPrintForm : public QDialog {
    Q_OBJECT

public:
    // pageCount is the number of prepared pages the dialog prints, on the
    // printers of engine.
    TvlPrintForm(TvlEngine& engine, int pageCount, QWidget* parent = nullptr);
    ~TvlPrintForm() override;

    void setCopies(int copies);
    void setCollate(bool collate);
    // The request the dialog describes; "Current page" takes currentPage
    // (from 1). Only meaningful after OK, when the copies are a number.
    TvlPrintRequest request(int currentPage) const;
    // The printer list index the dialog started on.
    int startPrinter() const { return startPrinter_; }

    // Asks for the name of the PDF file; an empty name keeps the dialog
    // open. A file dialog unless replaced (tests answer without one).
    std::function<QString(QWidget* parent)> askPdfFileName;

    void done(int result) override;

private:
    void createControls();
    void layOut();
    void connectControls();
    void fillPrinters();
    void printerChosen(int item);
    void stepCopies(int delta);
    bool pageListValid();
    bool copiesValid();
    bool pdfFileChosen();
    void refuse(const std::string& message, QWidget* field);
    bool eventFilter(QObject* watched, QEvent* event) override;

    TvlEngine& engine_;
    int pageCount_;
    int startPrinter_;
    QComboBox* PrinterBox;
    QPushButton* PropButton;
    QRadioButton* AllPagesButton;
    QRadioButton* CurrentPageButton;
    QRadioButton* PageRangeButton;
    QLineEdit* PageRangeEdit;
    QLineEdit* CopiesEdit;
    QToolButton* UpBtn;
    QToolButton* DownBtn;
    QCheckBox* CollateCB;
    CollatePicture* Picture;
    QComboBox* ParityBox;
};

} // namespace vl
