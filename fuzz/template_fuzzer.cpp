// Reads arbitrary bytes as a report template, then writes the template and
// its XML export again. Run with ASan and UBSan; any crash, sanitizer report
// or timeout is a finding. Errors the engine raises are expected.
#include "engine/build/TvlReport.h"
#include "engine/script/Stream.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "template_fuzzer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // pictures decode through Qt
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vl::TvlReport report;
    vl::MemoryStream in(data, size);
    try {
        report.LoadFromStream(in);
    } catch (const vl::VlError&) {
    }
    try {
        vl::MemoryStream out;
        report.SaveToStream(out);
        report.XmlExport = true;
        vl::MemoryStream xml;
        report.SaveToStream(xml);
    } catch (const vl::VlError&) {
        // Texts or lists too long to store.
    }
    return 0;
}
