// Loads arbitrary bytes into a picture object as a database field would
// fill it (BMP file or bare DIB, JPEG or icon, chosen by the first byte),
// then draws the picture stretched, centred or at its own size. Run with
// ASan and UBSan; any crash, sanitizer report or timeout is a finding.
// PictureError for damaged data is the expected outcome.
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/ViewState.h"
#include "engine/script/Errors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "picture_fuzzer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

// First byte: the blob type (bits 0-1: BMP, JPEG, icon; 3 reads as BMP) and
// the picture flags (bits 4-6: stretched, centred, keep aspect).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    vl::TvlPictureView view;
    view.BlobType = static_cast<std::uint8_t>((data[0] & 3) == 3 ? 0 : data[0] & 3);
    view.Flags = (data[0] >> 4) & 7;
    view.SetBounds(4, 4, 50, 30);
    vl::TvlBlobField field;
    field.isNull = false;
    field.bytes.assign(data + 1, data + size);
    try {
        view.LoadFromBlob(field);
    } catch (const vl::VlError&) {
        return 0;
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.Draw(vl::TvlDrawContext::at(&painter));
    return 0;
}
