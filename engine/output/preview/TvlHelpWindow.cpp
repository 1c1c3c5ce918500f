#include "engine/output/preview/TvlHelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QVBoxLayout>

namespace vl {

QString FindUserGuide() {
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        dir + QStringLiteral("/user-guide.md"),
        dir + QStringLiteral("/../share/doc/vellum/user-guide.md"),
#ifdef VELLUM_SOURCE_DIR
        QStringLiteral(VELLUM_SOURCE_DIR "/docs/user-guide.md"),
#endif
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile()) return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return {};
}

TvlHelpWindow* TvlHelpWindow::Show(QWidget* parent, const QString& topic) {
    static QPointer<TvlHelpWindow> shown;
    if (!shown) {
        const QString guide = FindUserGuide();
        if (guide.isEmpty()) {
            QMessageBox::information(parent, tr("Help"),
                                     tr("The user guide (user-guide.md) was not found beside "
                                        "the program nor in its documentation folder."));
            return nullptr;
        }
        // Without a parent it stays open while the windows come and go; it
        // goes with the application.
        shown = new TvlHelpWindow(guide);
        shown->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, shown.data(), &QObject::deleteLater);
    }
    if (!topic.isEmpty()) shown->showTopic(topic);
    shown->show();
    shown->raise();
    shown->activateWindow();
    return shown;
}

TvlHelpWindow::TvlHelpWindow(const QString& guide, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)), search_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("TvlHelpWindow"));
    setWindowTitle(tr("Vellum Help"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QFileInfo(guide).absolutePath()});
    QFile file(guide);
    if (file.open(QIODevice::ReadOnly)) browser_->setMarkdown(QString::fromUtf8(file.readAll()));
    fitPictures();
    search_->setObjectName(QStringLiteral("HelpSearch"));
    search_->setPlaceholderText(tr("Find in the guide"));
    search_->setClearButtonEnabled(true);
    status_->setObjectName(QStringLiteral("HelpSearchStatus"));

    auto* findLabel = new QLabel(tr("&Find:"), this);
    findLabel->setBuddy(search_);
    auto* bar = new QHBoxLayout;
    bar->addWidget(findLabel);
    bar->addWidget(search_, 1);
    bar->addWidget(status_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(search_, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(search_, &QLineEdit::textChanged, status_, &QLabel::clear);
    auto* again = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(again, &QShortcut::activated, this, [this] { findNext(); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    resize(760, 820);
}

// The guide's screenshots are shown at most kPictureWidth wide, so that a
// picture of a window is not taken for the window.
void TvlHelpWindow::fitPictures() {
    constexpr int kPictureWidth = 520;
    QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QImage image(
                QFileInfo(browser_->searchPaths().value(0), picture.name()).absoluteFilePath());
            if (image.isNull() || image.width() <= kPictureWidth) continue;
            picture.setWidth(kPictureWidth);
            picture.setHeight(static_cast<double>(kPictureWidth) * image.height() / image.width());
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

bool TvlHelpWindow::findNext() {
    const QString text = search_->text();
    status_->clear();
    if (text.isEmpty()) return false;
    if (browser_->find(text)) return true;
    // from the top again
    QTextCursor top = browser_->textCursor();
    top.movePosition(QTextCursor::Start);
    browser_->setTextCursor(top);
    if (browser_->find(text)) {
        status_->setText(tr("From the top again"));
        return true;
    }
    status_->setText(tr("Not found"));
    return false;
}

bool TvlHelpWindow::showTopic(const QString& topic) {
    QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0) continue;
        if (!block.text().contains(topic, Qt::CaseInsensitive)) continue;
        QTextCursor cursor(block);
        browser_->setTextCursor(cursor);
        // the heading at the top of the view
        browser_->ensureCursorVisible();
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        browser_->setTextCursor(end);
        browser_->ensureCursorVisible();
        browser_->setTextCursor(cursor);
        browser_->ensureCursorVisible();
        return true;
    }
    return false;
}

} // namespace vl
