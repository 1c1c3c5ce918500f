// Reads arbitrary bytes as a prepared report (".vlp"), draws every page it
// read onto a small image, so each page's objects are read back as live
// objects, and writes the store again. Run with ASan and UBSan; any crash,
// sanitizer report or timeout is a finding. Errors the engine raises are
// expected.
#include "engine/output/TvlEMFPages.h"
#include "engine/script/Errors.h"
#include "engine/script/Stream.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

namespace {

// Drawing is the slow part; a damaged page count should not make every run
// draw thousands of pages.
constexpr int kMaxPagesDrawn = 16;

void drawPages(vl::TvlEMFPages& pages) {
    QImage image(60, 85, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int count = std::min(pages.Count(), kMaxPagesDrawn);
    for (int i = 0; i < count; ++i) {
        vl::PreparedPage& page = pages.PageAt(i);
        try {
            page.Shown = true;
            pages.DrawPage(i, &painter, {2, 2, 58, 83});
        } catch (const vl::VlError&) {
            // a page whose objects cannot be read
        }
        page.Shown = false;
        pages.DrawPage(i, nullptr, {});
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "prepared_fuzzer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // text objects measure with Qt's fonts
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vl::TvlEMFPages pages;
    vl::MemoryStream in(data, size);
    try {
        pages.ReadFromStream(in);
    } catch (const vl::VlError&) {
        // the pages read before the damage stay
    }
    drawPages(pages);
    vl::MemoryStream out;
    pages.WriteToStream(out);
    return 0;
}
