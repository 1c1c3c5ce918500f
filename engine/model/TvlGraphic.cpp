#include "engine/model/TvlGraphic.h"

#include "engine/model/ViewState.h"
#include "engine/model/picture/BmpCodec.h"
#include "engine/model/picture/IconCodec.h"
#include "engine/model/picture/JpegCodec.h"
#include "engine/model/picture/Metafile.h"
#include "engine/model/picture/PictureError.h"
#include "engine/script/TextUtils.h"

#include <QPainter>
#include <cmath>

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
    if (metafile_) metafile_->draw(painter, target);
}

void TvlMetafileGraphic::load(const std::uint8_t* data, std::size_t size) {
    auto metafile = Metafile::fromBytes({data, size});
    if (!metafile) throw PictureError("Metafile is not valid");
    // Like other pictures, a metafile measures in screen pixels (96 per inch).
    const QSizeF mm100 = metafile->sizeHundredthsMm();
    size_ = QSize(static_cast<int>(std::lround(mm100.width() * 96 / 2540)),
                  static_cast<int>(std::lround(mm100.height() * 96 / 2540)));
    if (size_.width() < 0 || size_.height() < 0) size_ = QSize();
    metafile_ = std::move(metafile);
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
