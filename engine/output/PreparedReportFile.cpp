// The prepared-report file (".vlp") of TvlEMFPages: the current layout, the
// layout before version 24 (no version byte, no bins, no margins) and the
// early layout whose pages are enhanced metafiles.

#include "engine/model/TvlPictureView.h"
#include "engine/model/picture/PictureError.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlCompressor.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/Errors.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"

namespace vl {

namespace {

constexpr int kFirstVersionWithByte = 24;
constexpr int kLastVersionWithByte = 31;

bool IsCurrentLayoutFlag(std::uint8_t flag) {
    return flag == 0 || flag == 1 || flag == 255;
}

// The early layout names its printer as text lines ending in CR (LF) and
// the list in a zero byte; the first line is the name.
std::string ReadPrinterLines(Stream& stream) {
    std::string text;
    for (std::uint8_t b = ReadByte(stream); b != 0; b = ReadByte(stream))
        text += static_cast<char>(b);
    return text.substr(0, text.find_first_of("\r\n"));
}

std::vector<std::uint8_t> ReadBytesTo(Stream& stream, std::int64_t end) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end - stream.position()));
    stream.readBuffer(bytes.data(), bytes.size());
    return bytes;
}

// The page stream of an early-layout page: one picture the size of the
// page that holds the page's metafile.
void WriteMetafilePage(PreparedPage& page, const std::vector<std::uint8_t>& metafile) {
    TvlPictureView picture;
    picture.Name = "Picture1";
    picture.SetBounds(0, 0, page.Metrics.PixelPaperWidth, page.Metrics.PixelPaperHeight);
    if (!metafile.empty()) {
        auto graphic = MakeGraphic(TvlGraphicKind::Metafile);
        try {
            graphic->load(metafile.data(), metafile.size());
            picture.Picture.setGraphic(std::move(graphic));
        } catch (const PictureError&) {
            // A damaged metafile leaves the page blank.
        }
    }
    picture.WriteMode = wmPrepared;
    MemoryStream stream;
    WriteByte(stream, TvlEMFPages::kStreamVersion);
    WriteByte(stream, otPicture);
    picture.SaveToStream(stream);
    page.Stream = std::move(stream);
}

} // namespace

void TvlEMFPages::WriteToStream(Stream& stream) {
    TvlCompressor& compressor = engine_.compressor();
    const bool compress = compressor.CompressionOn;
    WriteByte(stream, kStreamVersion);
    WriteByte(stream, compress ? 1 : 0);
    WriteString(stream, engine_.printer().SelectedPrinterName());
    WriteInteger(stream, Count());
    for (const auto& page : pages_) {
        const std::int64_t placeholder = stream.position();
        WriteInteger(stream, 0);
        WriteWord(stream, page->PaperSize);
        WriteInteger(stream, page->PaperWidth);
        WriteInteger(stream, page->PaperHeight);
        WriteByte(stream, page->Orientation);
        WriteInteger(stream, page->PaperBin);
        WriteByte(stream, page->PaperCoordinates ? 1 : 0);
        for (std::int32_t margin :
             {page->LeftMargin, page->TopMargin, page->RightMargin, page->BottomMargin})
            WriteInteger(stream, margin);
        MemoryStream& data = page->Stream;
        const std::int64_t position = data.position();
        data.seek(0);
        if (compress) {
            MemoryStream packed;
            compressor.Compress(data, packed);
            stream.write(packed.data().data(), packed.data().size());
        } else {
            stream.write(data.data().data(), data.data().size());
        }
        data.seek(position);
        const std::int64_t end = stream.position();
        stream.seek(placeholder);
        WriteInteger(stream, static_cast<std::int32_t>(end));
        stream.seek(end);
    }
    WriteByte(stream,
              Events.GeneratorVersion ? Events.GeneratorVersion() : kDefaultGeneratorVersion);
}

void TvlEMFPages::ReadFromStream(Stream& stream) {
    Clear();
    const std::int64_t start = stream.position();
    int version = ReadByte(stream);
    if (version < kFirstVersionWithByte || version > kLastVersionWithByte) {
        version = 0;
        stream.seek(start);
    }
    const std::uint8_t compressed = ReadByte(stream);
    if (IsCurrentLayoutFlag(compressed)) {
        ReadCurrentLayout(stream, version, compressed != 0);
    } else {
        stream.seek(start);
        ReadMetafileLayout(stream);
    }
}

void TvlEMFPages::ReadCurrentLayout(Stream& stream, int version, bool compressed) {
    SetLayoutPrinter(ReadString(stream));
    const std::int32_t count = ReadInteger(stream);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int64_t end = ReadInteger(stream);
        PreparedPage& page = AppendFilePage();
        try {
            page.PaperSize = ReadWord(stream);
            page.PaperWidth = ReadInteger(stream);
            page.PaperHeight = ReadInteger(stream);
            page.Orientation = ReadByte(stream);
            page.PaperBin = version > 23 ? ReadInteger(stream) : -1;
            page.PaperCoordinates = ReadByte(stream) != 0;
            if (version > 23) {
                page.LeftMargin = ReadInteger(stream);
                page.TopMargin = ReadInteger(stream);
                page.RightMargin = ReadInteger(stream);
                page.BottomMargin = ReadInteger(stream);
            }
            CopyPageData(stream, end, compressed, page);
        } catch (...) {
            pages_.pop_back();
            throw;
        }
        SetUpPaper(page);
        stream.seek(end);
    }
    const std::uint8_t generator = ReadByte(stream);
    if (Events.SetGeneratorVersion) Events.SetGeneratorVersion(generator);
}

void TvlEMFPages::ReadMetafileLayout(Stream& stream) {
    SetLayoutPrinter(ReadPrinterLines(stream));
    const std::int32_t count = ReadInteger(stream);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int64_t end = ReadInteger(stream);
        PreparedPage& page = AppendFilePage();
        std::vector<std::uint8_t> metafile;
        try {
            page.PaperSize = ReadWord(stream);
            page.PaperWidth = ReadInteger(stream);
            page.PaperHeight = ReadInteger(stream);
            page.Orientation = ReadByte(stream);
            page.PaperBin = -1;
            page.PaperCoordinates = ReadByte(stream) != 0;
            if (end < stream.position() || end > stream.size()) throw StreamReadError();
            metafile = ReadBytesTo(stream, end);
        } catch (...) {
            pages_.pop_back();
            throw;
        }
        SetUpPaper(page);
        WriteMetafilePage(page, metafile);
        stream.seek(end);
    }
}

PreparedPage& TvlEMFPages::AppendFilePage() {
    pages_.push_back(std::make_unique<PreparedPage>());
    return *pages_.back();
}

void TvlEMFPages::CopyPageData(Stream& stream, std::int64_t end, bool compressed,
                               PreparedPage& page) {
    if (end < stream.position() || end > stream.size()) throw StreamReadError();
    MemoryStream raw(ReadBytesTo(stream, end));
    MemoryStream data;
    if (compressed) {
        engine_.compressor().Decompress(raw, data);
        if (data.size() == 0 && raw.size() > 0)
            throw VlError("The pages of this file are compressed in a form this program cannot "
                          "read");
    } else {
        data = std::move(raw);
    }
    data.seek(data.size());
    page.Stream = std::move(data);
}

void TvlEMFPages::SetLayoutPrinter(const std::string& name) {
    if (Events.SetPrinterName) Events.SetPrinterName(name);
    fileOnSelectedPrinter_ = SameText(engine_.printer().SelectedPrinterName(), name);
}

// Follows the page's paper with the printer. The page takes the geometry of
// the printer it was laid out on when that printer is the selected one;
// pages of a printer that is not at hand (or not chosen) take the virtual
// printer's, so that a file shows, exports and prints the same wherever it
// is opened, and never the geometry of whichever printer happens to be the
// default.
void TvlEMFPages::SetUpPaper(PreparedPage& page) {
    TvlPrinter& printer = engine_.printer();
    printer.SetPaper(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                     page.Orientation, false);
    if (fileOnSelectedPrinter_ || printer.IsVirtual()) {
        printer.FillMetrics(page.Metrics);
        return;
    }
    // an early file may leave a known paper's size to its code
    const bool sized = page.PaperWidth > 0 && page.PaperHeight > 0;
    TvlPrinter::FillVirtualMetrics(page.Metrics, sized ? page.PaperWidth : printer.PaperWidth(),
                                   sized ? page.PaperHeight : printer.PaperHeight());
}

void TvlEMFPages::LoadFromFile(const QString& path) {
    FileStream stream(path, FileStream::Mode::Read);
    ReadFromStream(stream);
}

void TvlEMFPages::SaveToFile(const QString& path) {
    ReplacingFileStream stream(path);
    WriteToStream(stream);
    stream.Commit();
}

} // namespace vl
