// Plays arbitrary bytes as a metafile onto a small image. Run with
// ASan and UBSan; any crash, sanitizer report or timeout is a finding.
#include "engine/model/picture/Metafile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "metafile_fuzzer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // fonts need a GUI application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto metafile = vl::Metafile::fromBytes({data, size});
    if (!metafile) return 0;
    (void)metafile->naturalSize();
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile->draw(painter, QRectF(2, 2, 44, 44));
    return 0;
}
