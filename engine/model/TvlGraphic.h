#pragma once

#include "engine/model/picture/Metafile.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace vl {

// What a picture holds; the numbers are those of the picture record.
enum class TvlGraphicKind : std::uint8_t { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, Jpeg = 4 };

// One picture in the form a file of its format holds it. Loading damaged
// data raises PictureError and leaves the graphic as it was.
class TvlGraphic {
public:
    virtual ~TvlGraphic() = default;
    virtual TvlGraphicKind kind() const = 0;
    virtual bool empty() const = 0;
    // Natural size in pixels.
    virtual QSize size() const = 0;
    // Draws the picture stretched into target. printing: the target is a
    // printer (icons are not printed there).
    virtual void draw(QPainter& painter, const QRectF& target, bool printing) const = 0;
    virtual void load(const std::uint8_t* data, std::size_t size) = 0;
    // The bytes of a file of the graphic's format (empty when empty).
    virtual std::vector<std::uint8_t> save() const = 0;
    virtual std::unique_ptr<TvlGraphic> clone() const = 0;
};

// Bitmaps, icons and JPEG images: the file bytes as loaded (written back
// unchanged) and the decoded pixels.
class TvlRasterGraphic : public TvlGraphic {
public:
    bool empty() const override { return image_.isNull(); }
    QSize size() const override { return image_.size(); }
    void draw(QPainter& painter, const QRectF& target, bool printing) const override;
    void load(const std::uint8_t* data, std::size_t size) override;
    std::vector<std::uint8_t> save() const override { return bytes_; }

    const QImage& image() const { return image_; }
    // Takes the pixels and encodes them in the graphic's format.
    void setImage(const QImage& image);

protected:
    virtual QImage decode(const std::uint8_t* data, std::size_t size) const = 0;
    virtual std::vector<std::uint8_t> encode(const QImage& image) const = 0;

    std::vector<std::uint8_t> bytes_;
    QImage image_;
};

class TvlBitmapGraphic : public TvlRasterGraphic {
public:
    TvlGraphicKind kind() const override { return TvlGraphicKind::Bitmap; }
    std::unique_ptr<TvlGraphic> clone() const override;

protected:
    QImage decode(const std::uint8_t* data, std::size_t size) const override;
    std::vector<std::uint8_t> encode(const QImage& image) const override;
};

class TvlJpegGraphic : public TvlRasterGraphic {
public:
    TvlGraphicKind kind() const override { return TvlGraphicKind::Jpeg; }
    std::unique_ptr<TvlGraphic> clone() const override;

protected:
    QImage decode(const std::uint8_t* data, std::size_t size) const override;
    std::vector<std::uint8_t> encode(const QImage& image) const override;
};

class TvlIconGraphic : public TvlRasterGraphic {
public:
    TvlGraphicKind kind() const override { return TvlGraphicKind::Icon; }
    std::unique_ptr<TvlGraphic> clone() const override;
    void draw(QPainter& painter, const QRectF& target, bool printing) const override;

protected:
    QImage decode(const std::uint8_t* data, std::size_t size) const override;
    std::vector<std::uint8_t> encode(const QImage& image) const override;
};

// Windows metafiles (placeable or plain WMF, EMF), kept as their original
// bytes and drawn by the engine's own metafile player.
class TvlMetafileGraphic : public TvlGraphic {
public:
    TvlGraphicKind kind() const override { return TvlGraphicKind::Metafile; }
    bool empty() const override { return !metafile_; }
    QSize size() const override { return size_; }
    void draw(QPainter& painter, const QRectF& target, bool printing) const override;
    void load(const std::uint8_t* data, std::size_t size) override;
    std::vector<std::uint8_t> save() const override {
        return metafile_ ? metafile_->bytes() : std::vector<std::uint8_t>();
    }
    std::unique_ptr<TvlGraphic> clone() const override;

    bool enhanced() const { return metafile_ && metafile_->format() == Metafile::Format::Emf; }

private:
    std::optional<Metafile> metafile_;
    QSize size_;
};

// An empty graphic of the kind; none for TvlGraphicKind::None.
std::unique_ptr<TvlGraphic> MakeGraphic(TvlGraphicKind kind);
// The kind a file extension (with or without the dot, any case) names:
// bmp/dib, jpg/jpeg/jpe, ico, wmf/emf; None for others.
TvlGraphicKind GraphicKindForExtension(std::string_view extension);

} // namespace vl
