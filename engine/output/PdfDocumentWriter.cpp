#include "engine/output/PdfDocumentWriter.h"

#include "engine/output/PageRendering.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace vl {

namespace {

// The paper as a page layout without margins. Paper sizes are held as
// oriented; page sizes are named upright.
QPageLayout PageLayoutFor(const PreparedPage& page) {
    const bool landscape = page.Orientation == 1;
    QSizeF size(page.PaperWidth / 10.0, page.PaperHeight / 10.0);
    if (size.width() <= 0 || size.height() <= 0) size = QSizeF(210, 297);
    if (landscape) size.transpose();
    return QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace

void PdfDocumentWriter::write(TvlEMFPages& pages, const QString& path) const {
    if (pages.Count() == 0) throw VlError("The report has no pages to write");
    QPdfWriter writer(path);
    writer.setResolution(Resolution);
    writer.setCreator(Creator);
    writer.setTitle(Title);
    writer.setPageLayout(PageLayoutFor(pages.PageAt(0)));
    QPainter painter;
    if (!painter.begin(&writer)) throw VlError("Cannot write the file " + FromQt(path));
    const double scale = ScaleForResolution(Resolution);
    try {
        for (int i = 0; i < pages.Count(); ++i) {
            const PreparedPage& page = pages.PageAt(i);
            if (i > 0) {
                writer.setPageLayout(PageLayoutFor(page));
                writer.newPage();
            }
            DrawPageOnce(pages, i, painter, PageDrawRect(page, scale));
        }
    } catch (...) {
        painter.end();
        QFile::remove(path);
        throw;
    }
    if (!painter.end()) throw VlError("Cannot write the file " + FromQt(path));
}

} // namespace vl
