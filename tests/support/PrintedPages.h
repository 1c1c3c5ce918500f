#pragma once

#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewTypes.h"
#include "engine/output/PageSettings.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/StreamIO.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <string>
#include <vector>

namespace vl::test {

// Appends one page per text to pages, each with a text object holding it,
// A4 portrait (landscape where the text's position in landscape is set).
inline void AddTextPages(TvlEMFPages& pages, const std::vector<std::string>& texts,
                         const std::vector<bool>& landscape = {}) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const bool wide = i < landscape.size() && landscape[i];
        PageSettings paper;
        paper.PaperSize = 9;
        paper.PaperWidth = wide ? 2970 : 2100;
        paper.PaperHeight = wide ? 2100 : 2970;
        paper.Orientation = wide ? 1 : 0;
        paper.PaperBin = -1;
        paper.PaperCoordinates = true;
        paper.Metrics.PixelPaperWidth = wide ? 1071 : 758;
        paper.Metrics.PixelPaperHeight = wide ? 758 : 1071;
        pages.AddPage(paper);
        TvlMemoView memo;
        memo.Name = "Memo1";
        memo.SetBounds(80, 80, 400, 40);
        memo.Memo = {texts[i]};
        memo.EvaluatedText = memo.Memo;
        memo.WriteMode = wmPrepared;
        MemoryStream& stream = pages.PageAt(static_cast<int>(i)).Stream;
        WriteByte(stream, memo.Typ);
        memo.SaveToStream(stream);
    }
}

// The words of a PDF file's text that match pattern, in reading order
// (pdftotext); empty when the file cannot be read.
inline std::vector<std::string> PdfWords(const QString& pdf, const QString& pattern) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return {};
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<std::string> words;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        words.push_back(it.next().captured().toStdString());
    return words;
}

// The number of words on each page of a PDF file (pdftotext). Printers
// that pass documents through PostScript may lose what the glyphs mean,
// never how many words a page holds.
inline std::vector<int> PdfWordsPerPage(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.pop_back();
    std::vector<int> counts;
    for (const QString& page : pages)
        counts.push_back(static_cast<int>(
            page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size()));
    return counts;
}

// The page sizes of a PDF file as pdfinfo reports them ("595.28 x 841.89").
inline std::vector<std::string> PdfPageSizes(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                              QStringLiteral("-l"), QStringLiteral("999"), pdf});
    if (!process.waitForFinished(30000)) return {};
    std::vector<std::string> sizes;
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    auto it = QRegularExpression(QStringLiteral("Page +\\d+ size: +([\\d.]+ x [\\d.]+)"))
                  .globalMatch(text);
    while (it.hasNext())
        sizes.push_back(it.next().captured(1).toStdString());
    return sizes;
}

// The files cups-pdf writes for jobs whose title starts with title (in
// the job owner's "PDF" folder), once count of them are complete; waits up
// to 60 seconds. In the order of their job numbers, which end the names.
inline QStringList WaitForCupsPdf(const QString& title, int count) {
    const QDir folder(QDir::homePath() + QStringLiteral("/PDF"));
    QElapsedTimer timer;
    timer.start();
    QStringList files;
    while (timer.elapsed() < 60000) {
        files.clear();
        for (const QFileInfo& f :
             folder.entryInfoList({title + QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
            files.push_back(f.absoluteFilePath());
        bool complete = files.size() >= count;
        for (const QString& f : files)
            complete = complete && !PdfPageSizes(f).empty();
        if (complete) {
            const auto job = [](const QString& f) {
                return QRegularExpression(QStringLiteral("(\\d+)\\.pdf$"))
                    .match(f)
                    .captured(1)
                    .toInt();
            };
            std::sort(files.begin(), files.end(),
                      [&](const QString& a, const QString& b) { return job(a) < job(b); });
            return files;
        }
        QThread::msleep(200);
    }
    return files;
}

} // namespace vl::test
