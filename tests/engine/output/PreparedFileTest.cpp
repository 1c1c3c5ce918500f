#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/output/PageUnits.h"
#include "engine/output/TvlCompressor.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/Errors.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"
#include "tests/support/RecordingPrinterSystem.h"
#include "tests/support/ThreadEngine.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace vl::test {
namespace {

// A minimal enhanced metafile: the header record (frame 0,0 - 21000,29700
// hundredths of a millimetre) and the end-of-file record.
std::vector<std::uint8_t> TinyEmf() {
    MemoryStream s;
    WriteInteger(s, 1);   // EMR_HEADER
    WriteInteger(s, 108); // record size
    for (int v : {0, 0, 793, 1122, 0, 0, 21000, 29700})
        WriteInteger(s, v);
    WriteInteger(s, 0x464D4520); // " EMF"
    WriteInteger(s, 0x10000);
    WriteInteger(s, 128); // file size
    WriteInteger(s, 2);   // records
    while (s.size() < 108)
        WriteByte(s, 0);
    for (int v : {14, 20, 0, 16, 20}) // EMR_EOF
        WriteInteger(s, v);
    return s.data();
}

std::vector<std::uint8_t> Bytes(TvlEMFPages& pages) {
    MemoryStream out;
    pages.WriteToStream(out);
    return out.data();
}

void ReadBytes(TvlEMFPages& pages, const std::vector<std::uint8_t>& bytes) {
    MemoryStream in(bytes);
    pages.ReadFromStream(in);
}

class PreparedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Globals().startPrinter(nullptr);
        Globals().setCompressor(nullptr);
        RegisterStamp();
    }
    void TearDown() override { Globals().setCompressor(nullptr); }

    // Three pages of different papers and margins with a few objects each.
    void Fill(TvlEMFPages& pages) {
        PageSettings a4 = Paper();
        a4.LeftMargin = 30;
        a4.TopMargin = 31;
        a4.RightMargin = 32;
        a4.BottomMargin = 33;
        pages.AddPage(a4);
        pages.AddPage(Paper(9, 2970, 2100, 1, false));
        pages.AddPage(Paper(256, 1000, 1500));
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 20; ++k)
                Put(pages, i, *Stamp("Stamp", 10, 20 * k, "The same line again and again"));
            Put(pages, i, *Make<TvlLineView>("Line1", 0, 10 * i, 300, 0));
        }
    }

    ViewStateGuard guard_;
};

TEST_F(PreparedFileTest, UncompressedFilesRoundTripByteForByte) {
    TvlEMFPages pages;
    Fill(pages);
    pages.PageAt(1).PaperBin = 7;
    const std::vector<std::uint8_t> file = Bytes(pages);
    EXPECT_EQ(file[0], 25);
    EXPECT_EQ(file[1], 0);
    EXPECT_EQ(file.back(), 88);

    std::string printer;
    TvlEMFPages read;
    read.Events.SetPrinterName = [&](const std::string& name) { printer = name; };
    ReadBytes(read, file);
    EXPECT_EQ(printer, "Virtual printer");
    ASSERT_EQ(read.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const PreparedPage& a = pages.PageAt(i);
        const PreparedPage& b = read.PageAt(i);
        EXPECT_EQ(b.Stream.data(), a.Stream.data());
        EXPECT_EQ(b.PaperSize, a.PaperSize);
        EXPECT_EQ(b.PaperWidth, a.PaperWidth);
        EXPECT_EQ(b.PaperHeight, a.PaperHeight);
        EXPECT_EQ(b.Orientation, a.Orientation);
        EXPECT_EQ(b.PaperBin, a.PaperBin);
        EXPECT_EQ(b.PaperCoordinates, a.PaperCoordinates);
        EXPECT_EQ(b.Metrics, a.Metrics) << "page " << i;
    }
    EXPECT_EQ(read.PageAt(0).LeftMargin, 30);
    EXPECT_EQ(read.PageAt(0).BottomMargin, 33);
    EXPECT_EQ(read.PageAt(1).Metrics.PixelPaperWidth, 1071);
    EXPECT_EQ(Bytes(read), file);
}

TEST_F(PreparedFileTest, CompressedFilesAreSmallerAndReadBackInAnySetting) {
    TvlEMFPages pages;
    Fill(pages);
    const std::vector<std::uint8_t> plain = Bytes(pages);
    Globals().setCompressor(std::make_unique<TvlZlibCompressor>(true));
    const std::vector<std::uint8_t> packed = Bytes(pages);
    EXPECT_EQ(packed[1], 1);
    EXPECT_LT(packed.size() * 3, plain.size());

    Globals().setCompressor(nullptr);
    TvlEMFPages read;
    ReadBytes(read, packed);
    ASSERT_EQ(read.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(read.PageAt(i).Stream.data(), pages.PageAt(i).Stream.data());
    EXPECT_EQ(Bytes(read), plain);
}

TEST_F(PreparedFileTest, DamagedCompressedPagesRaiseAClearError) {
    TvlEMFPages pages;
    Fill(pages);
    Globals().setCompressor(std::make_unique<TvlZlibCompressor>(true));
    const std::vector<std::uint8_t> intact = Bytes(pages);
    std::vector<std::uint8_t> packed = intact;
    // Spoil the first page's zlib data (it starts after the page header).
    const std::size_t data = 2 + 2 + 15 + 1 + 4 + 4 + 2 + 4 + 4 + 1 + 4 + 1 + 16;
    for (std::size_t k = data + 2; k < data + 12; ++k)
        packed[k] ^= 0x5A;
    TvlEMFPages read;
    EXPECT_THROW(ReadBytes(read, packed), VlError);
    EXPECT_EQ(read.Count(), 0);

    // A hook that cannot decompress does not silently yield empty pages.
    Globals().setCompressor(std::make_unique<TvlCompressor>());
    EXPECT_THROW(ReadBytes(read, intact), VlError);
}

TEST_F(PreparedFileTest, AFileWithoutPagesGivesAnEmptyStore) {
    TvlEMFPages empty;
    std::uint8_t generator = 0;
    empty.Events.GeneratorVersion = [] { return std::uint8_t{91}; };
    const std::vector<std::uint8_t> file = Bytes(empty);
    TvlEMFPages read;
    Fill(read);
    read.Events.SetGeneratorVersion = [&](std::uint8_t v) { generator = v; };
    ReadBytes(read, file);
    EXPECT_EQ(read.Count(), 0);
    EXPECT_EQ(generator, 91);
}

TEST_F(PreparedFileTest, FilesBeforeVersion24HaveNoVersionByteBinsOrMargins) {
    TvlEMFPages source;
    source.AddPage(Paper(11, 1480, 2100));
    Put(source, 0, *Stamp("Stamp1", 1, 2, "old"));
    const std::vector<std::uint8_t>& page = source.PageAt(0).Stream.data();

    MemoryStream file;
    WriteByte(file, 0);
    WriteString(file, "Old printer");
    WriteInteger(file, 1);
    const std::int64_t endAt = file.position();
    WriteInteger(file, 0);
    WriteWord(file, 11);
    WriteInteger(file, 1480);
    WriteInteger(file, 2100);
    WriteByte(file, 0);
    WriteByte(file, 1);
    file.write(page.data(), page.size());
    const std::int64_t end = file.position();
    WriteByte(file, 88);
    file.seek(endAt);
    WriteInteger(file, static_cast<std::int32_t>(end));

    TvlEMFPages read;
    ReadBytes(read, file.data());
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.PageAt(0).PaperSize, 11);
    EXPECT_EQ(read.PageAt(0).PaperBin, -1);
    EXPECT_EQ(read.PageAt(0).LeftMargin, 0);
    EXPECT_TRUE(read.PageAt(0).PaperCoordinates);
    EXPECT_EQ(read.PageAt(0).Stream.data(), page);
    EXPECT_EQ(read.PageAt(0).Metrics.PixelPaperWidth, 534);
}

// The early layout: printer name lines, and per page an enhanced metafile.
std::vector<std::uint8_t> MetafileFile(std::string_view printerLines, int pages) {
    MemoryStream file;
    file.write(printerLines.data(), printerLines.size());
    WriteByte(file, 0);
    WriteInteger(file, pages);
    const std::vector<std::uint8_t> emf = TinyEmf();
    for (int i = 0; i < pages; ++i) {
        const std::int64_t endAt = file.position();
        WriteInteger(file, 0);
        WriteWord(file, 9);
        WriteInteger(file, 2100);
        WriteInteger(file, 2970);
        WriteByte(file, 0);
        WriteByte(file, 0);
        file.write(emf.data(), emf.size());
        const std::int64_t end = file.position();
        file.seek(endAt);
        WriteInteger(file, static_cast<std::int32_t>(end));
        file.seek(end);
    }
    return file.data();
}

TEST_F(PreparedFileTest, EarlyMetafilePagesBecomeOnePictureEach) {
    TvlEMFPages read;
    std::string printer;
    read.Events.SetPrinterName = [&](const std::string& name) { printer = name; };
    ReadBytes(read, MetafileFile("HP LaserJet 4\r\nwinspool\r\nLPT1:\r\n", 2));
    EXPECT_EQ(printer, "HP LaserJet 4");
    ASSERT_EQ(read.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(read.PageAt(i).PaperBin, -1);
        EXPECT_EQ(read.PageAt(i).Stream.data().front(), 25);
        read.LoadPageObjects(i);
        const PreparedLivePage& live = *read.PageAt(i).Page;
        ASSERT_EQ(live.viewCount(), 1);
        const auto& picture = dynamic_cast<const TvlPictureView&>(*live.viewAt(0));
        EXPECT_EQ(picture.Left, 0);
        EXPECT_EQ(picture.Top, 0);
        EXPECT_EQ(picture.Width, 758);
        EXPECT_EQ(picture.Height, 1071);
        ASSERT_FALSE(picture.Picture.empty());
        EXPECT_EQ(picture.Picture.graphic()->kind(), TvlGraphicKind::Metafile);
        EXPECT_EQ(picture.Picture.graphic()->save(), TinyEmf());
    }
}

TEST_F(PreparedFileTest, AFirstByteOf23IsNotTakenForAVersion) {
    TvlEMFPages read;
    std::string printer;
    read.Events.SetPrinterName = [&](const std::string& name) { printer = name; };
    ReadBytes(read, MetafileFile("\x17Printer\r\n", 1));
    EXPECT_EQ(printer, "\x17Printer");
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.PageAt(0).PaperBin, -1);
    EXPECT_EQ(read.PageAt(0).LeftMargin, 0);
}

TEST_F(PreparedFileTest, TruncatedFilesKeepThePagesReadBefore) {
    TvlEMFPages pages;
    Fill(pages);
    const std::vector<std::uint8_t> file = Bytes(pages);
    // Cut inside the third page's objects, inside its header, and just
    // before the generator byte.
    const std::size_t thirdData = file.size() - 1 - pages.PageAt(2).Stream.data().size();
    for (std::size_t cut : {file.size() - 20, thirdData - 10, file.size() - 1}) {
        TvlEMFPages read;
        const std::vector<std::uint8_t> part(file.begin(),
                                             file.begin() + static_cast<std::ptrdiff_t>(cut));
        try {
            ReadBytes(read, part);
            FAIL() << "a truncated file must raise";
        } catch (const StreamReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
        const int expected = cut == file.size() - 1 ? 3 : 2;
        ASSERT_EQ(read.Count(), expected) << "cut at " << cut;
        for (int i = 0; i < expected; ++i)
            EXPECT_EQ(read.PageAt(i).Stream.data(), pages.PageAt(i).Stream.data());
    }
}

TEST_F(PreparedFileTest, EndPositionsOutsideTheFileAreReadErrors) {
    TvlEMFPages pages;
    Fill(pages);
    std::vector<std::uint8_t> file = Bytes(pages);
    const std::size_t firstEnd = 2 + 2 + 15 + 1 + 4;
    for (std::int32_t bad : {-5, 3, 0x7FFFFFFF}) {
        std::memcpy(&file[firstEnd], &bad, 4);
        TvlEMFPages read;
        EXPECT_THROW(ReadBytes(read, file), StreamReadError) << bad;
        EXPECT_EQ(read.Count(), 0);
    }
}

TEST_F(PreparedFileTest, DamagedFilesRaiseErrorsAndNeverCrash) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    pages.AddPage(Paper(9, 2970, 2100, 1, false));
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    for (int i = 0; i < 2; ++i) {
        Put(pages, i, *Stamp("URL1", 10, 10, "text"));
        Put(pages, i, *Make<TvlLineView>("Line1", 0, 40, 300, 0));
        auto picture = Make<TvlPictureView>("Picture1", 20, 60, 50, 50);
        auto graphic = std::make_unique<TvlBitmapGraphic>();
        graphic->setImage(image);
        picture->Picture.setGraphic(std::move(graphic));
        Put(pages, i, *picture);
    }
    const std::vector<std::uint8_t> file = Bytes(pages);
    std::mt19937 random(20240611);
    QImage canvas(200, 280, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::uint8_t> bytes = file;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < flips; ++k)
            bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
        if (round % 5 == 0) bytes.resize(random() % bytes.size());
        TvlEMFPages read;
        try {
            ReadBytes(read, bytes);
        } catch (const VlError&) {
        }
        for (int i = 0; i < read.Count(); ++i) {
            try {
                read.PageAt(i).Shown = true;
                read.DrawPage(i, &painter, {0, 0, 200, 280});
                read.ObjectAt(i, {12, 12}, false);
            } catch (const VlError&) {
            }
        }
    }
}

TEST_F(PreparedFileTest, TextWithAbsurdGapsIsNotDrawn) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    for (const auto& [gapX, gapY] : {std::pair{1414873346, 2}, std::pair{2, -1414873346}}) {
        auto memo = Make<TvlMemoView>("Memo1", 10, 10, 200, 40);
        memo->Memo = {"text"};
        memo->GapX = gapX;
        memo->GapY = gapY;
        Put(pages, 0, *memo);
    }
    TvlEMFPages read;
    ReadBytes(read, Bytes(pages));
    QImage canvas(200, 280, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    read.PageAt(0).Shown = true;
    read.DrawPage(0, &painter, {0, 0, 200, 280});
    painter.end();
    QImage white(canvas.size(), canvas.format());
    white.fill(Qt::white);
    EXPECT_EQ(canvas, white);
}

TEST_F(PreparedFileTest, FilesOnDiskRoundTrip) {
    TvlEMFPages pages;
    Fill(pages);
    const QString path = QDir::temp().filePath(QStringLiteral("vellum-prepared-test.vlp"));
    pages.SaveToFile(path);
    TvlEMFPages read;
    read.LoadFromFile(path);
    EXPECT_EQ(read.Count(), 3);
    EXPECT_EQ(Bytes(read), Bytes(pages));
    QFile::remove(path);
    EXPECT_THROW(read.LoadFromFile(path), VlError);
}

// A file keeps the geometry it was laid out with wherever it is opened:
// pages of the virtual printer, or of a printer that is not the selected
// one, do not take the geometry of whichever printer happens to be selected.
TEST_F(PreparedFileTest, PagesTakeTheGeometryOfThePrinterTheyWereLaidOutOn) {
    TvlEMFPages pages;
    Fill(pages);
    const std::vector<std::uint8_t> onVirtual = Bytes(pages);
    PageMetrics virtualA4;
    TvlPrinter::FillVirtualMetrics(virtualA4, 2100, 2970);

    Globals().startPrinter(std::make_unique<RecordingPrinterSystem>());
    const struct Restore {
        ~Restore() { Globals().startPrinter(nullptr); }
    } restore;
    ASSERT_FALSE(GlobalPrinter().IsVirtual());
    TvlEMFPages read;
    ReadBytes(read, onVirtual);
    EXPECT_TRUE(SamePixelGeometry(read.PageAt(0).Metrics, virtualA4));

    // laid out on the selected printer: its 50-dot edge at 300 dots per inch
    const std::vector<std::uint8_t> onLaser = Bytes(read);
    ReadBytes(read, onLaser);
    EXPECT_EQ(read.PageAt(0).Metrics.DeviceOffsetX, 50);
    EXPECT_EQ(read.PageAt(0).Metrics.PixelOffsetX, DotsToPixels(50, 300));
}

} // namespace
} // namespace vl::test
