#include "engine/output/printdialog/TvlPrintForm.h"

#include "engine/build/TvlEngine.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printdialog/CollatePicture.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kErrorCaptionId = 55206;
constexpr int kPrintId = 55760;
constexpr int kPrinterId = 55761;
constexpr int kNameId = 55762;
constexpr int kPropertiesId = 55763;
constexpr int kPageRangeId = 55764;
constexpr int kAllId = 55765;
constexpr int kCurrentPageId = 55766;
constexpr int kPagesId = 55767;
constexpr int kPagesHintId = 55768;
constexpr int kCopiesId = 55769;
constexpr int kNumberOfCopiesId = 55770;
constexpr int kCollateId = 55771;
constexpr int kParityLabelId = 55772;
constexpr int kAllPagesId = 55773;
constexpr int kOddPagesId = 55774;
constexpr int kEvenPagesId = 55775;
constexpr int kInvalidPrinterId = 55777;
constexpr int kPdfFileId = 55778;
constexpr int kPdfFilterId = 55780;
constexpr int kBadCopiesId = 55781;
constexpr int kIconError = 0x10;

QString text(int id) {
    return ToQt(LoadResString(id));
}

QtPrinterSystem* qtSystem(const TvlPrinter& printer) {
    return dynamic_cast<QtPrinterSystem*>(printer.System());
}

bool isPdfEntry(const TvlPrinter& printer, int index) {
    const QtPrinterSystem* qt = qtSystem(printer);
    return qt && index == qt->pdfPrinterIndex();
}

// Copies are a whole decimal number; nothing else is handed over.
std::optional<int> copiesOf(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\s*\\d{1,9}\\s*$"));
    if (!digits.match(text).hasMatch()) return std::nullopt;
    return text.trimmed().toInt();
}

QString askFileName(QWidget* parent) {
    QString name =
        QFileDialog::getSaveFileName(parent, text(kPdfFileId), QString(), text(kPdfFilterId));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".pdf");
    return name;
}

QToolButton* arrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    button->setAccessibleName(name);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

TvlPrintForm::TvlPrintForm(TvlEngine& engine, int pageCount, QWidget* parent)
    : QDialog(parent), askPdfFileName(askFileName), engine_(engine), pageCount_(pageCount),
      startPrinter_(engine.printer().SelectedPrinter()) {
    setObjectName(QStringLiteral("TvlPrintForm"));
    setWindowTitle(text(kPrintId));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    createControls();
    layOut();
    fillPrinters();
    connectControls();
    // The design size, taller where the wrapped hint needs it.
    const QSize design(485, 226);
    layout()->activate();
    resize(design.width(), std::max(design.height(), heightForWidth(design.width())));
}

TvlPrintForm::~TvlPrintForm() = default;

void TvlPrintForm::createControls() {
    PrinterBox = new QComboBox(this);
    PrinterBox->setObjectName(QStringLiteral("PrinterBox"));
    PrinterBox->setIconSize(QSize(18, 16));
    PropButton = new QPushButton(text(kPropertiesId), this);
    PropButton->setObjectName(QStringLiteral("PropButton"));
    PropButton->setAutoDefault(false);
    AllPagesButton = new QRadioButton(text(kAllId), this);
    AllPagesButton->setObjectName(QStringLiteral("AllPagesButton"));
    AllPagesButton->setChecked(true);
    CurrentPageButton = new QRadioButton(text(kCurrentPageId), this);
    CurrentPageButton->setObjectName(QStringLiteral("CurrentPageButton"));
    PageRangeButton = new QRadioButton(text(kPagesId), this);
    PageRangeButton->setObjectName(QStringLiteral("PageRangeButton"));
    PageRangeEdit = new QLineEdit(this);
    PageRangeEdit->setObjectName(QStringLiteral("PageRangeEdit"));
    PageRangeEdit->setAccessibleName(text(kPagesId).remove(QLatin1Char('&')));
    PageRangeEdit->installEventFilter(this);
    CopiesEdit = new QLineEdit(QStringLiteral("1"), this);
    CopiesEdit->setObjectName(QStringLiteral("CopiesEdit"));
    CopiesEdit->setMaximumWidth(
        CopiesEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    UpBtn = arrowButton(Qt::UpArrow, QStringLiteral("UpBtn"), this);
    DownBtn = arrowButton(Qt::DownArrow, QStringLiteral("DownBtn"), this);
    CollateCB = new QCheckBox(text(kCollateId), this);
    CollateCB->setObjectName(QStringLiteral("CollateCB"));
    CollateCB->setChecked(true);
    Picture = new CollatePicture(this);
    Picture->setObjectName(QStringLiteral("CollatePicture"));
    ParityBox = new QComboBox(this);
    ParityBox->setObjectName(QStringLiteral("ParityBox"));
    ParityBox->addItems({text(kAllPagesId), text(kOddPagesId), text(kEvenPagesId)});
}

void TvlPrintForm::layOut() {
    auto* printerBox = new QGroupBox(text(kPrinterId), this);
    auto* printerRow = new QHBoxLayout(printerBox);
    auto* nameLabel = new QLabel(text(kNameId), printerBox);
    nameLabel->setBuddy(PrinterBox);
    printerRow->addWidget(nameLabel);
    printerRow->addWidget(PrinterBox, 1);
    printerRow->addWidget(PropButton);

    auto* rangeBox = new QGroupBox(text(kPageRangeId), this);
    auto* range = new QGridLayout(rangeBox);
    range->addWidget(AllPagesButton, 0, 0, 1, 2);
    range->addWidget(CurrentPageButton, 1, 0, 1, 2);
    range->addWidget(PageRangeButton, 2, 0);
    range->addWidget(PageRangeEdit, 2, 1);
    auto* hint = new QLabel(text(kPagesHintId), rangeBox);
    hint->setWordWrap(true);
    range->addWidget(hint, 3, 0, 1, 2);
    range->setColumnStretch(1, 1);

    auto* copiesBox = new QGroupBox(text(kCopiesId), this);
    auto* copies = new QGridLayout(copiesBox);
    auto* copiesLabel = new QLabel(text(kNumberOfCopiesId), copiesBox);
    copiesLabel->setBuddy(CopiesEdit);
    auto* spin = new QHBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(CopiesEdit);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(UpBtn);
    arrows->addWidget(DownBtn);
    spin->addLayout(arrows);
    spin->addStretch();
    copies->addWidget(copiesLabel, 0, 0);
    copies->addLayout(spin, 0, 1);
    copies->addWidget(Picture, 1, 0, Qt::AlignCenter);
    copies->addWidget(CollateCB, 1, 1);
    copies->setRowStretch(2, 1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(rangeBox, 1);
    columns->addWidget(copiesBox);

    auto* parityLabel = new QLabel(text(kParityLabelId), this);
    parityLabel->setBuddy(ParityBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(parityLabel);
    bottom->addSpacing(11);
    bottom->addWidget(ParityBox);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* main = new QVBoxLayout(this);
    main->addWidget(printerBox);
    main->addLayout(columns, 1);
    main->addLayout(bottom);
    QWidget* const order[] = {PrinterBox,      PropButton,    AllPagesButton, CurrentPageButton,
                              PageRangeButton, PageRangeEdit, CopiesEdit,     UpBtn,
                              DownBtn,         CollateCB,     ParityBox};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TvlPrintForm::fillPrinters() {
    const TvlPrinter& printer = engine_.printer();
    const QIcon printerIcon = QIcon::fromTheme(QStringLiteral("printer"),
                                               QIcon(QStringLiteral(":/icons/print-printer.svg")));
    const QIcon pdfIcon = QIcon::fromTheme(QStringLiteral("application-pdf"),
                                           QIcon(QStringLiteral(":/icons/print-pdf.svg")));
    for (int i = 0; i < printer.VirtualPrinterIndex(); ++i)
        PrinterBox->addItem(isPdfEntry(engine_.printer(), i) ? pdfIcon : printerIcon,
                            ToQt(printer.PrinterList()[static_cast<std::size_t>(i)]), i);
    // On the virtual printer the list starts on the system's own choice.
    int current = printer.SelectedPrinter();
    if (printer.IsVirtual() && printer.System()) current = printer.System()->currentPrinter();
    PrinterBox->setCurrentIndex(PrinterBox->findData(current));
    PropButton->setEnabled(!isPdfEntry(engine_.printer(), current));
}

void TvlPrintForm::connectControls() {
    connect(PrinterBox, &QComboBox::activated, this, &TvlPrintForm::printerChosen);
    connect(PropButton, &QPushButton::clicked, this,
            [this] { engine_.printer().ShowPrinterProperties(); });
    connect(PageRangeButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on) PageRangeEdit->setFocus();
    });
    connect(PageRangeEdit, &QLineEdit::textEdited, this,
            [this] { PageRangeButton->setChecked(true); });
    connect(UpBtn, &QToolButton::clicked, this, [this] { stepCopies(1); });
    connect(DownBtn, &QToolButton::clicked, this, [this] { stepCopies(-1); });
    connect(CollateCB, &QCheckBox::toggled, Picture, &CollatePicture::setCollated);
    if (QtPrinterSystem* qt = qtSystem(engine_.printer()))
        qt->setPropertiesDialog([](QPrinter& printer) {
            QPageSetupDialog dialog(&printer, QApplication::activeWindow());
            return dialog.exec();
        });
}

bool TvlPrintForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PageRangeEdit && event->type() == QEvent::FocusIn)
        PageRangeButton->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TvlPrintForm::printerChosen(int item) {
    TvlPrinter& printer = engine_.printer();
    const int previous = printer.SelectedPrinter();
    const int index = PrinterBox->itemData(item).toInt();
    try {
        printer.SelectPrinter(index);
    } catch (const std::exception&) {
        // A printer that went away since the list was made.
        engine_.uiService().messageBox(LoadResString(kInvalidPrinterId),
                                       LoadResString(kErrorCaptionId), kIconError);
        printer.SelectPrinter(previous);
        PrinterBox->setCurrentIndex(PrinterBox->findData(previous));
    }
    PropButton->setEnabled(!isPdfEntry(engine_.printer(), printer.SelectedPrinter()));
}

void TvlPrintForm::setCopies(int copies) {
    CopiesEdit->setText(QString::number(copies));
}

void TvlPrintForm::setCollate(bool collate) {
    CollateCB->setChecked(collate);
    Picture->setCollated(collate);
}

void TvlPrintForm::stepCopies(int delta) {
    const int copies = copiesOf(CopiesEdit->text()).value_or(1);
    setCopies(std::max(copies + delta, 1));
}

TvlPrintRequest TvlPrintForm::request(int currentPage) const {
    TvlPrintRequest request;
    if (CurrentPageButton->isChecked())
        request.PageList = std::to_string(currentPage);
    else if (PageRangeButton->isChecked())
        request.PageList = FromQt(PageRangeEdit->text());
    request.Copies = copiesOf(CopiesEdit->text()).value_or(1);
    request.Collate = CollateCB->isChecked();
    request.Parity = ParityBox->currentIndex();
    return request;
}

void TvlPrintForm::refuse(const std::string& message, QWidget* field) {
    engine_.uiService().messageBox(message, LoadResString(kErrorCaptionId), kIconError);
    field->setFocus();
}

bool TvlPrintForm::pageListValid() {
    if (!PageRangeButton->isChecked()) return true;
    try {
        (void)TvlPageList(FromQt(PageRangeEdit->text()), pageCount_);
        return true;
    } catch (const ConversionError& error) {
        refuse(error.what(), PageRangeEdit);
        return false;
    }
}

bool TvlPrintForm::copiesValid() {
    if (copiesOf(CopiesEdit->text())) return true;
    std::string message = LoadResString(kBadCopiesId);
    const std::size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, FromQt(CopiesEdit->text()));
    refuse(message, CopiesEdit);
    return false;
}

bool TvlPrintForm::pdfFileChosen() {
    QtPrinterSystem* qt = qtSystem(engine_.printer());
    if (!qt || !qt->pdfSelected()) return true;
    const QString name = askPdfFileName ? askPdfFileName(this) : QString();
    if (name.isEmpty()) return false;
    qt->setPdfFileName(name);
    return true;
}

void TvlPrintForm::done(int result) {
    if (result == Accepted && !(pageListValid() && copiesValid() && pdfFileChosen())) return;
    if (result != Accepted) engine_.printer().SelectPrinter(startPrinter_);
    QDialog::done(result);
}

} // namespace vl
