// Writes the seed corpus of the prepared-report fuzzer: small ".vlp" files
// of the current layout (every kind of object), of the layout without a
// version byte and of the early metafile layout.
// Usage: make_prepared_seeds <folder>
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/StreamIO.h"
#include "tests/engine/model/picture/MetafileWriter.h"

#include <QGuiApplication>
#include <fstream>
#include <iostream>

namespace {

void save(const std::string& folder, const std::string& name,
          const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

vl::PageSettings paper(int code, int width, int height, int orientation) {
    vl::TvlPrinter& printer = vl::TvlEngine::Default().printer();
    printer.SetPaper(code, width, height, -1, orientation, true);
    vl::PageSettings s;
    s.PaperSize = static_cast<std::int16_t>(code);
    s.PaperWidth = width;
    s.PaperHeight = height;
    s.Orientation = static_cast<std::uint8_t>(orientation);
    s.PaperBin = -1;
    s.PaperCoordinates = orientation == 0;
    s.LeftMargin = s.TopMargin = s.RightMargin = s.BottomMargin = 20;
    printer.FillMetrics(s.Metrics);
    return s;
}

// An object's prepared record, as a build writes it.
void put(vl::TvlEMFPages& pages, int i, vl::TvlView& view) {
    vl::MemoryStream& stream = pages.PageAt(i).Stream;
    view.WriteMode = vl::wmPrepared;
    view.EvaluatedText = view.Memo;
    vl::WriteByte(stream, view.Typ);
    if (view.Typ == vl::otAddIn) vl::WriteString(stream, view.className());
    view.SaveToStream(stream);
    view.WriteMode = vl::wmTemplate;
}

std::vector<std::uint8_t> bytesOf(vl::TvlEMFPages& pages) {
    vl::MemoryStream out;
    pages.WriteToStream(out);
    return out.data();
}

std::vector<std::uint8_t> currentLayout() {
    vl::TvlEMFPages pages;
    pages.AddPage(paper(9, 2100, 2970, 0));
    pages.AddPage(paper(256, 1000, 1500, 1));
    vl::TvlMemoView memo;
    memo.SetBounds(10, 10, 200, 40);
    memo.Memo = {"Call the office", "about [the] invoice"};
    memo.FrameTyp = vl::vlftLeft | vl::vlftTop;
    put(pages, 0, memo);
    vl::TvlLineView line;
    line.SetBounds(10, 60, 300, 0);
    put(pages, 0, line);
    vl::TvlPictureView picture;
    picture.SetBounds(10, 70, 30, 20);
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    auto graphic = vl::MakeGraphic(vl::TvlGraphicKind::Bitmap);
    static_cast<vl::TvlRasterGraphic&>(*graphic).setImage(image);
    picture.Picture.setGraphic(std::move(graphic));
    put(pages, 0, picture);
    vl::TvlBandView band;
    band.SetBounds(0, 100, 300, 20);
    put(pages, 1, band);
    vl::TvlSubReportView sub;
    sub.SetBounds(0, 130, 100, 20);
    put(pages, 1, sub);
    memo.Name = "URL1";
    memo.Tag = "@1";
    put(pages, 1, memo);
    return bytesOf(pages);
}

// Version 23 and before: no version byte, no bin and no margins per page.
std::vector<std::uint8_t> withoutVersionByte() {
    vl::MemoryStream s;
    vl::WriteByte(s, 0); // not compressed
    vl::WriteString(s, "Virtual printer");
    vl::WriteInteger(s, 1);
    const std::int64_t placeholder = s.position();
    vl::WriteInteger(s, 0);
    vl::WriteWord(s, 9);
    vl::WriteInteger(s, 2100);
    vl::WriteInteger(s, 2970);
    vl::WriteByte(s, 0);
    vl::WriteByte(s, 1);
    vl::WriteByte(s, 23); // the page stream's version byte
    vl::TvlLineView line;
    line.SetBounds(5, 5, 0, 100);
    line.WriteMode = vl::wmPrepared;
    vl::WriteByte(s, line.Typ);
    line.SaveToStream(s);
    const std::int64_t end = s.position();
    s.seek(placeholder);
    vl::WriteInteger(s, static_cast<std::int32_t>(end));
    s.seek(end);
    vl::WriteByte(s, 88);
    return s.data();
}

// The early layout: printer lines, then a metafile per page.
std::vector<std::uint8_t> metafileLayout() {
    vltest::EmfWriter e;
    e.createBrush(1, 0, qRgb(0, 120, 255)).select(1).rectangle(50, 50, 450, 450);
    const std::vector<std::uint8_t> emf = e.build();
    vl::MemoryStream s;
    for (char c : std::string("Printer\r\nSecond line\r\n"))
        vl::WriteByte(s, static_cast<std::uint8_t>(c));
    vl::WriteByte(s, 0);
    vl::WriteInteger(s, 1);
    const std::int64_t pageStart = s.position();
    vl::WriteInteger(s, static_cast<std::int32_t>(pageStart + 4 + 12 + emf.size()));
    vl::WriteWord(s, 9);
    vl::WriteInteger(s, 2100);
    vl::WriteInteger(s, 2970);
    vl::WriteByte(s, 0);
    vl::WriteByte(s, 1);
    s.write(emf.data(), emf.size());
    return s.data();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_prepared_seeds <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string folder = argv[1];
    save(folder, "current_layout", currentLayout());
    save(folder, "without_version_byte", withoutVersionByte());
    save(folder, "metafile_layout", metafileLayout());
    return 0;
}
