#pragma once

#include <QList>
#include <QPageSize>
#include <QPrinter>
#include <optional>
#include <string>
#include <vector>

namespace vl {

// A paper of a printer with the code the engine knows it by: its Windows
// paper code where Qt knows one, else a printer-specific code above the
// custom code 256 (257 + its position in the printer's list).
struct QtPaperEntry {
    int code;
    QPageSize size;
};

std::vector<QtPaperEntry> PaperEntriesOf(const QList<QPageSize>& supported);
// The code of the printer's paper equivalent to size; its Windows code when
// the printer does not list it; 256 (custom) when it has neither.
int PaperCodeOf(const QPageSize& size, const std::vector<QtPaperEntry>& entries);
// The page size of a code: the printer's own paper first, then Qt's size of
// that Windows code; none for unknown codes.
std::optional<QPageSize> PageSizeOf(int code, const std::vector<QtPaperEntry>& entries);
// A custom paper in tenths of a millimetre, portrait.
QPageSize CustomPageSize(int widthTenthsMm, int lengthTenthsMm);

// Paper sources as Windows bin codes, and back (unknown codes: automatic).
int BinCodeOf(QPrinter::PaperSource source);
QPrinter::PaperSource PaperSourceOf(int binCode);
std::string PaperSourceName(QPrinter::PaperSource source);

} // namespace vl
