#include "engine/model/TvlGraphic.h"

#include "engine/model/BmpCodec.h"
#include "engine/model/CheckedByteReader.h"
#include "engine/model/IconCodec.h"
#include "engine/model/JpegCodec.h"
#include "engine/model/ViewState.h"
#include "engine/script/TextUtils.h"

#include <QPainter>

namespace vl {

void TvlRasterGraphic::draw(QPainter& painter, const QRectF& target, bool printing) const {
    if (image_.isNull()) return;
    if (printing) {
        // Printers get plain 24-bit pixels.
        painter.drawImage(target, image_.convertToFormat(QImage::Format_RGB888));
        return;
    }
    painter.drawImage(target, image_);
}

void TvlRasterGraphic::load(const std::uint8_t* data, std::size_t size) {
    QImage image = decode(data, size);
    bytes_.assign(data, data + size);
    image_ = std::move(image);
}

void TvlRasterGraphic::setImage(const QImage& image) {
    if (image.isNull()) {
        bytes_.clear();
        image_ = QImage();
        return;
    }
    bytes_ = encode(image);
    image_ = decode(bytes_.data(), bytes_.size());
}

std::unique_ptr<TvlGraphic> TvlBitmapGraphic::clone() const {
    return std::make_unique<TvlBitmapGraphic>(*this);
}

QImage TvlBitmapGraphic::decode(const std::uint8_t* data, std::size_t size) const {
    std::string error;
    QImage image = BmpCodec::decode(data, size, &error);
    if (image.isNull()) throw PictureError("Bitmap image is not valid: " + error);
    return image;
}

std::vector<std::uint8_t> TvlBitmapGraphic::encode(const QImage& image) const {
    return BmpCodec::encode(image);
}

std::unique_ptr<TvlGraphic> TvlJpegGraphic::clone() const {
    return std::make_unique<TvlJpegGraphic>(*this);
}

QImage TvlJpegGraphic::decode(const std::uint8_t* data, std::size_t size) const {
    std::string error;
    QImage image = JpegCodec::decode(data, size, &error);
    if (image.isNull()) throw PictureError("JPEG image is not valid: " + error);
    return image;
}

std::vector<std::uint8_t> TvlJpegGraphic::encode(const QImage& image) const {
    return JpegCodec::encode(image);
}

std::unique_ptr<TvlGraphic> TvlIconGraphic::clone() const {
    return std::make_unique<TvlIconGraphic>(*this);
}

void TvlIconGraphic::draw(QPainter& painter, const QRectF& target, bool printing) const {
    if (!printing) TvlRasterGraphic::draw(painter, target, false);
}

QImage TvlIconGraphic::decode(const std::uint8_t* data, std::size_t size) const {
    std::string error;
    QImage image = IconCodec::decode(data, size, &error);
    if (image.isNull()) throw PictureError("Icon image is not valid: " + error);
    return image;
}

std::vector<std::uint8_t> TvlIconGraphic::encode(const QImage& image) const {
    return IconCodec::encode(image);
}

void TvlMetafileGraphic::draw(QPainter& painter, const QRectF& target, bool) const {
    if (bytes_.empty()) return;
    if (const TvlMetafilePlayer* player = ViewState().metafilePlayer.get()) {
        player->play(painter, target, bytes_.data(), bytes_.size());
        return;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target.adjusted(0, 0, -1, -1));
    painter.restore();
}

void TvlMetafileGraphic::load(const std::uint8_t* data, std::size_t size) {
    CheckedByteReader r(data, size);
    QSize natural;
    bool enhanced = false;
    const std::uint32_t first = r.u32();
    if (first == 1 && size >= 88) {
        // EMF header: the frame in hundredths of a millimetre at offset 24,
        // the signature " EMF" at offset 40.
        r.seek(24);
        const std::int32_t l = r.i32(), t = r.i32(), rt = r.i32(), b = r.i32();
        r.seek(40);
        if (r.u32() != 0x464D4520) throw PictureError("Metafile is not valid");
        enhanced = true;
        natural = QSize(static_cast<int>((static_cast<std::int64_t>(rt) - l) * 96 / 2540),
                        static_cast<int>((static_cast<std::int64_t>(b) - t) * 96 / 2540));
    } else if (first == 0x9AC6CDD7) {
        // Placeable WMF: the bounding box in metafile units and units per inch.
        r.u16();
        const int l = r.i16(), t = r.i16(), rt = r.i16(), b = r.i16();
        const int inch = r.u16();
        if (inch == 0 || size < 22 + 18) throw PictureError("Metafile is not valid");
        natural = QSize((rt - l) * 96 / inch, (b - t) * 96 / inch);
    } else {
        r.seek(0);
        const std::uint16_t type = r.u16(), headerWords = r.u16();
        if ((type != 1 && type != 2) || headerWords != 9 || size < 18)
            throw PictureError("Metafile is not valid");
    }
    if (natural.width() < 0 || natural.height() < 0) natural = QSize();
    bytes_.assign(data, data + size);
    size_ = natural;
    enhanced_ = enhanced;
}

std::unique_ptr<TvlGraphic> TvlMetafileGraphic::clone() const {
    return std::make_unique<TvlMetafileGraphic>(*this);
}

std::unique_ptr<TvlGraphic> MakeGraphic(TvlGraphicKind kind) {
    switch (kind) {
    case TvlGraphicKind::Bitmap:
        return std::make_unique<TvlBitmapGraphic>();
    case TvlGraphicKind::Metafile:
        return std::make_unique<TvlMetafileGraphic>();
    case TvlGraphicKind::Icon:
        return std::make_unique<TvlIconGraphic>();
    case TvlGraphicKind::Jpeg:
        return std::make_unique<TvlJpegGraphic>();
    default:
        return nullptr;
    }
}

TvlGraphicKind GraphicKindForExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    for (const char* e : {"bmp", "dib"})
        if (SameText(extension, e)) return TvlGraphicKind::Bitmap;
    for (const char* e : {"jpg", "jpeg", "jpe"})
        if (SameText(extension, e)) return TvlGraphicKind::Jpeg;
    if (SameText(extension, "ico")) return TvlGraphicKind::Icon;
    for (const char* e : {"wmf", "emf"})
        if (SameText(extension, e)) return TvlGraphicKind::Metafile;
    return TvlGraphicKind::None;
}

} // namespace vl
