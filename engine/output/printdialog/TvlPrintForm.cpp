#include "engine/output/printdialog/TvlPrintForm.h"

#include "engine/build/TvlGlobals.h"
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

QtPrinterSystem* qtSystem() {
    return dynamic_cast<QtPrinterSystem*>(GlobalPrinter().System());
}

bool isPdfEntry(int index) {
    const QtPrinterSystem* qt = qtSystem();
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

TvlPrintForm::TvlPrintForm(int pageCount, QWidget* parent)
    : QDialog(parent), askPdfFileName(askFileName), pageCount_(pageCount),
      startPrinter_(GlobalPrinter().SelectedPrinter()) {
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
    CB1 = new QComboBox(this);
    CB1->setObjectName(QStringLiteral("CB1"));
    CB1->setIconSize(QSize(18, 16));
    PropButton = new QPushButton(text(kPropertiesId), this);
    PropButton->setObjectName(QStringLiteral("PropButton"));
    PropButton->setAutoDefault(false);
    RB1 = new QRadioButton(text(kAllId), this);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setChecked(true);
    RB2 = new QRadioButton(text(kCurrentPageId), this);
    RB2->setObjectName(QStringLiteral("RB2"));
    RB3 = new QRadioButton(text(kPagesId), this);
    RB3->setObjectName(QStringLiteral("RB3"));
    E2 = new QLineEdit(this);
    E2->setObjectName(QStringLiteral("E2"));
    E2->setAccessibleName(text(kPagesId).remove(QLatin1Char('&')));
    E2->installEventFilter(this);
    E1 = new QLineEdit(QStringLiteral("1"), this);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setMaximumWidth(E1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    UpBtn = arrowButton(Qt::UpArrow, QStringLiteral("UpBtn"), this);
    DownBtn = arrowButton(Qt::DownArrow, QStringLiteral("DownBtn"), this);
    CollateCB = new QCheckBox(text(kCollateId), this);
    CollateCB->setObjectName(QStringLiteral("CollateCB"));
    CollateCB->setChecked(true);
    Picture = new CollatePicture(this);
    Picture->setObjectName(QStringLiteral("CollatePicture"));
    CB2 = new QComboBox(this);
    CB2->setObjectName(QStringLiteral("CB2"));
    CB2->addItems({text(kAllPagesId), text(kOddPagesId), text(kEvenPagesId)});
}

void TvlPrintForm::layOut() {
    auto* printerBox = new QGroupBox(text(kPrinterId), this);
    auto* printerRow = new QHBoxLayout(printerBox);
    auto* nameLabel = new QLabel(text(kNameId), printerBox);
    nameLabel->setBuddy(CB1);
    printerRow->addWidget(nameLabel);
    printerRow->addWidget(CB1, 1);
    printerRow->addWidget(PropButton);

    auto* rangeBox = new QGroupBox(text(kPageRangeId), this);
    auto* range = new QGridLayout(rangeBox);
    range->addWidget(RB1, 0, 0, 1, 2);
    range->addWidget(RB2, 1, 0, 1, 2);
    range->addWidget(RB3, 2, 0);
    range->addWidget(E2, 2, 1);
    auto* hint = new QLabel(text(kPagesHintId), rangeBox);
    hint->setWordWrap(true);
    range->addWidget(hint, 3, 0, 1, 2);
    range->setColumnStretch(1, 1);

    auto* copiesBox = new QGroupBox(text(kCopiesId), this);
    auto* copies = new QGridLayout(copiesBox);
    auto* copiesLabel = new QLabel(text(kNumberOfCopiesId), copiesBox);
    copiesLabel->setBuddy(E1);
    auto* spin = new QHBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(E1);
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
    parityLabel->setBuddy(CB2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(parityLabel);
    bottom->addSpacing(11);
    bottom->addWidget(CB2);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* main = new QVBoxLayout(this);
    main->addWidget(printerBox);
    main->addLayout(columns, 1);
    main->addLayout(bottom);
    QWidget* const order[] = {CB1, PropButton, RB1,     RB2,       RB3, E2,
                              E1,  UpBtn,      DownBtn, CollateCB, CB2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TvlPrintForm::fillPrinters() {
    const TvlPrinter& printer = GlobalPrinter();
    const QIcon printerIcon = QIcon::fromTheme(QStringLiteral("printer"),
                                               QIcon(QStringLiteral(":/icons/print-printer.svg")));
    const QIcon pdfIcon = QIcon::fromTheme(QStringLiteral("application-pdf"),
                                           QIcon(QStringLiteral(":/icons/print-pdf.svg")));
    for (int i = 0; i < printer.VirtualPrinterIndex(); ++i)
        CB1->addItem(isPdfEntry(i) ? pdfIcon : printerIcon,
                     ToQt(printer.PrinterList()[static_cast<std::size_t>(i)]), i);
    // On the virtual printer the list starts on the system's own choice.
    int current = printer.SelectedPrinter();
    if (printer.IsVirtual() && printer.System()) current = printer.System()->currentPrinter();
    CB1->setCurrentIndex(CB1->findData(current));
    PropButton->setEnabled(!isPdfEntry(current));
}

void TvlPrintForm::connectControls() {
    connect(CB1, &QComboBox::activated, this, &TvlPrintForm::printerChosen);
    connect(PropButton, &QPushButton::clicked, this,
            [] { GlobalPrinter().ShowPrinterProperties(); });
    connect(RB3, &QRadioButton::toggled, this, [this](bool on) {
        if (on) E2->setFocus();
    });
    connect(E2, &QLineEdit::textEdited, this, [this] { RB3->setChecked(true); });
    connect(UpBtn, &QToolButton::clicked, this, [this] { stepCopies(1); });
    connect(DownBtn, &QToolButton::clicked, this, [this] { stepCopies(-1); });
    connect(CollateCB, &QCheckBox::toggled, Picture, &CollatePicture::setCollated);
    if (QtPrinterSystem* qt = qtSystem())
        qt->setPropertiesDialog([](QPrinter& printer) {
            QPageSetupDialog dialog(&printer, QApplication::activeWindow());
            return dialog.exec();
        });
}

bool TvlPrintForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == E2 && event->type() == QEvent::FocusIn) RB3->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TvlPrintForm::printerChosen(int item) {
    TvlPrinter& printer = GlobalPrinter();
    const int previous = printer.SelectedPrinter();
    const int index = CB1->itemData(item).toInt();
    try {
        printer.SelectPrinter(index);
    } catch (const std::exception&) {
        // A printer that went away since the list was made.
        Globals().uiService().messageBox(LoadResString(kInvalidPrinterId),
                                         LoadResString(kErrorCaptionId), kIconError);
        printer.SelectPrinter(previous);
        CB1->setCurrentIndex(CB1->findData(previous));
    }
    PropButton->setEnabled(!isPdfEntry(printer.SelectedPrinter()));
}

void TvlPrintForm::setCopies(int copies) {
    E1->setText(QString::number(copies));
}

void TvlPrintForm::setCollate(bool collate) {
    CollateCB->setChecked(collate);
    Picture->setCollated(collate);
}

void TvlPrintForm::stepCopies(int delta) {
    const int copies = copiesOf(E1->text()).value_or(1);
    setCopies(std::max(copies + delta, 1));
}

TvlPrintRequest TvlPrintForm::request(int currentPage) const {
    TvlPrintRequest request;
    if (RB2->isChecked())
        request.PageList = std::to_string(currentPage);
    else if (RB3->isChecked())
        request.PageList = FromQt(E2->text());
    request.Copies = copiesOf(E1->text()).value_or(1);
    request.Collate = CollateCB->isChecked();
    request.Parity = CB2->currentIndex();
    return request;
}

void TvlPrintForm::refuse(const std::string& message, QWidget* field) {
    Globals().uiService().messageBox(message, LoadResString(kErrorCaptionId), kIconError);
    field->setFocus();
}

bool TvlPrintForm::pageListValid() {
    if (!RB3->isChecked()) return true;
    try {
        (void)TvlPageList(FromQt(E2->text()), pageCount_);
        return true;
    } catch (const ConversionError& error) {
        refuse(error.what(), E2);
        return false;
    }
}

bool TvlPrintForm::copiesValid() {
    if (copiesOf(E1->text())) return true;
    std::string message = LoadResString(kBadCopiesId);
    const std::size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, FromQt(E1->text()));
    refuse(message, E1);
    return false;
}

bool TvlPrintForm::pdfFileChosen() {
    QtPrinterSystem* qt = qtSystem();
    if (!qt || !qt->pdfSelected()) return true;
    const QString name = askPdfFileName ? askPdfFileName(this) : QString();
    if (name.isEmpty()) return false;
    qt->setPdfFileName(name);
    return true;
}

void TvlPrintForm::done(int result) {
    if (result == Accepted && !(pageListValid() && copiesValid() && pdfFileChosen())) return;
    if (result != Accepted) GlobalPrinter().SelectPrinter(startPrinter_);
    QDialog::done(result);
}

} // namespace vl
