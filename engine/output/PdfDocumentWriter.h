#pragma once

#include <QString>

namespace vl {

class TvlEMFPages;

// Writes prepared pages as a PDF document: one PDF page per prepared page
// at its paper size and orientation, drawn through the pages' own drawing,
// so text stays text (with its fonts embedded) and a picture that repeats
// on many pages is stored once.
class PdfDocumentWriter {
public:
    // Device dots per inch of the drawing; text and lines are placed on
    // this grid.
    int Resolution = 600;
    QString Title;
    QString Creator = QStringLiteral("Vellum");

    // Throws VlError when the store is empty or the file cannot be written.
    void write(TvlEMFPages& pages, const QString& path) const;
};

} // namespace vl
