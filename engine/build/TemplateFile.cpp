#include "engine/build/TemplateFile.h"

#include "engine/build/TvlReport.h"
#include "engine/script/Errors.h"
#include "engine/script/Stream.h"

#include <cstring>

namespace vl {

namespace {

// A BMP file starts with "BM" and its own length in the next four bytes.
constexpr std::size_t kBmpHeaderSize = 14;

std::vector<std::uint8_t> ReadBitmap(Stream& stream) {
    std::uint8_t head[kBmpHeaderSize];
    stream.readBuffer(head, sizeof head);
    std::uint32_t length = 0;
    std::memcpy(&length, head + 2, sizeof length);
    if (head[0] != 'B' || head[1] != 'M' || length < kBmpHeaderSize ||
        length - kBmpHeaderSize > static_cast<std::uint64_t>(stream.remaining()))
        throw VlError("The template's picture is damaged");
    std::vector<std::uint8_t> bytes(length);
    std::memcpy(bytes.data(), head, sizeof head);
    stream.readBuffer(bytes.data() + kBmpHeaderSize, length - kBmpHeaderSize);
    return bytes;
}

// Reads the header and leaves the stream at the page part's position.
TvlTemplateHeader ReadHeader(Stream& stream, std::int32_t& pagePart) {
    TvlTemplateHeader header;
    header.Description = ReadStrings(stream);
    pagePart = ReadInteger(stream);
    if (ReadByte(stream) == 1) header.Picture = ReadBitmap(stream);
    if (pagePart < stream.position() || pagePart > stream.size())
        throw VlError("The template's page part is missing");
    return header;
}

} // namespace

QImage TvlTemplateHeader::image() const {
    if (Picture.empty()) return {};
    return QImage::fromData(Picture.data(), static_cast<int>(Picture.size()), "BMP");
}

void SaveTemplateFile(TvlReport& report, const QString& path, const TvlTemplateHeader& header) {
    MemoryStream bytes;
    WriteStrings(bytes, header.Description);
    const std::int64_t positionAt = bytes.position();
    WriteInteger(bytes, 0);
    WriteByte(bytes, header.Picture.empty() ? 0 : 1);
    if (!header.Picture.empty()) bytes.write(header.Picture.data(), header.Picture.size());
    const auto pagePart = static_cast<std::int32_t>(bytes.position());
    report.SavePagePart(bytes);
    bytes.seek(positionAt);
    WriteInteger(bytes, pagePart);

    ReplacingFileStream file(path);
    file.write(bytes.data().data(), bytes.data().size());
    file.Commit();
}

TvlTemplateHeader ReadTemplateHeader(const QString& path) {
    FileStream file(path, FileStream::Mode::Read);
    std::int32_t pagePart = 0;
    return ReadHeader(file, pagePart);
}

void LoadTemplateFile(TvlReport& report, const QString& path) {
    MemoryStream bytes(ReadWholeFile(path));
    std::int32_t pagePart = 0;
    ReadHeader(bytes, pagePart);
    bytes.seek(pagePart);
    report.LoadPagePart(bytes);
}

} // namespace vl
