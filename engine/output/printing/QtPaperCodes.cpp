#include "engine/output/printing/QtPaperCodes.h"

#include <algorithm>
#include <array>

namespace vl {

namespace {

constexpr int kCustomPaper = 256;

struct SourceInfo {
    QPrinter::PaperSource source;
    int bin;
    const char* name;
};

constexpr std::array<SourceInfo, 14> kSources{{
    {QPrinter::Upper, 1, "Upper"},
    {QPrinter::Lower, 2, "Lower"},
    {QPrinter::Middle, 3, "Middle"},
    {QPrinter::Manual, 4, "Manual feed"},
    {QPrinter::Envelope, 5, "Envelope"},
    {QPrinter::EnvelopeManual, 6, "Envelope manual feed"},
    {QPrinter::Auto, 7, "Automatically select"},
    {QPrinter::Tractor, 8, "Tractor feed"},
    {QPrinter::SmallFormat, 9, "Small format"},
    {QPrinter::LargeFormat, 10, "Large format"},
    {QPrinter::LargeCapacity, 11, "Large capacity"},
    {QPrinter::Cassette, 14, "Cassette"},
    {QPrinter::FormSource, 15, "Form source"},
    {QPrinter::CustomSource, 256, "Custom"},
}};

const SourceInfo* findSource(QPrinter::PaperSource source) {
    const auto it = std::find_if(kSources.begin(), kSources.end(),
                                 [source](const SourceInfo& s) { return s.source == source; });
    return it == kSources.end() ? nullptr : &*it;
}

bool hasWindowsCode(const QPageSize& size) {
    return size.windowsId() > 0 && size.windowsId() < kCustomPaper;
}

} // namespace

std::vector<QtPaperEntry> PaperEntriesOf(const QList<QPageSize>& supported) {
    std::vector<QtPaperEntry> entries;
    for (qsizetype i = 0; i < supported.size(); ++i) {
        const QPageSize& size = supported[i];
        const int code = hasWindowsCode(size) ? size.windowsId() : kCustomPaper + 1 + int(i);
        entries.push_back({code, size});
    }
    return entries;
}

int PaperCodeOf(const QPageSize& size, const std::vector<QtPaperEntry>& entries) {
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const QtPaperEntry& e) {
        return e.size.isEquivalentTo(size);
    });
    if (it != entries.end()) return it->code;
    return hasWindowsCode(size) ? size.windowsId() : kCustomPaper;
}

std::optional<QPageSize> PageSizeOf(int code, const std::vector<QtPaperEntry>& entries) {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [code](const QtPaperEntry& e) { return e.code == code; });
    if (it != entries.end()) return it->size;
    if (code <= 0 || code >= kCustomPaper) return std::nullopt;
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom) return std::nullopt;
    return QPageSize(id);
}

QPageSize CustomPageSize(int widthTenthsMm, int lengthTenthsMm) {
    return QPageSize(QSizeF(widthTenthsMm / 10.0, lengthTenthsMm / 10.0), QPageSize::Millimeter,
                     QString(), QPageSize::ExactMatch);
}

int BinCodeOf(QPrinter::PaperSource source) {
    const SourceInfo* info = findSource(source);
    return info ? info->bin : findSource(QPrinter::Auto)->bin;
}

QPrinter::PaperSource PaperSourceOf(int binCode) {
    const auto it = std::find_if(kSources.begin(), kSources.end(),
                                 [binCode](const SourceInfo& s) { return s.bin == binCode; });
    return it == kSources.end() ? QPrinter::Auto : it->source;
}

std::string PaperSourceName(QPrinter::PaperSource source) {
    const SourceInfo* info = findSource(source);
    return info ? info->name : std::string();
}

} // namespace vl
