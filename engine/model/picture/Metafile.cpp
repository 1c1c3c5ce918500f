#include "engine/model/picture/Metafile.h"

#include "engine/model/picture/EmfReader.h"
#include "engine/model/picture/MetafileCanvas.h"
#include "engine/model/picture/WmfReader.h"

#include <QPicture>
#include <cmath>

namespace vl {

namespace {

constexpr double kScreenUnitsPerInch = 96;

bool finiteRect(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

bool hasArea(const QRectF& r) {
    return r.width() != 0 && r.height() != 0;
}

QTransform frameToTarget(const QRectF& frame, const QRectF& target) {
    return QTransform::fromTranslate(-frame.left(), -frame.top()) *
           QTransform::fromScale(target.width() / frame.width(), target.height() / frame.height()) *
           QTransform::fromTranslate(target.left(), target.top());
}

} // namespace

std::optional<Metafile> Metafile::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxBytes) return std::nullopt;
    Metafile metafile;
    metafile.bytes_ = std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end());
    if (metafile.readEmf() || metafile.readWmf()) return metafile;
    return std::nullopt;
}

bool Metafile::readEmf() {
    const auto header = EmfReader::readHeader(*bytes_);
    if (!header) return false;
    format_ = Format::Emf;
    devicePerMm_ = header->devicePerMm;
    const QRectF& f = header->frame;
    const QRectF frame(f.left() / 100 * devicePerMm_.x(), f.top() / 100 * devicePerMm_.y(),
                       f.width() / 100 * devicePerMm_.x(), f.height() / 100 * devicePerMm_.y());
    if (frame.width() > 0 && frame.height() > 0 && finiteRect(frame))
        frame_ = frame;
    else if (header->bounds.width() > 0 && header->bounds.height() > 0)
        frame_ = header->bounds;
    else
        frame_ = measure();
    sizeMm100_ =
        QSizeF(frame_.width() / devicePerMm_.x() * 100, frame_.height() / devicePerMm_.y() * 100);
    return true;
}

bool Metafile::readWmf() {
    const auto header = WmfReader::readHeader(*bytes_);
    if (!header) return false;
    recordsOffset_ = header->recordsOffset;
    format_ = header->placeable ? Format::PlaceableWmf : Format::Wmf;
    double unitsPerInch = kScreenUnitsPerInch;
    if (header->placeable && !header->bounds.isEmpty()) {
        window_ = header->bounds;
        unitsPerInch = header->unitsPerInch;
    } else if (const auto window = WmfReader::findWindow(*bytes_, *header)) {
        window_ = *window;
    }
    devicePerMm_ = QPointF(unitsPerInch / 25.4, unitsPerInch / 25.4);
    if (hasArea(window_)) {
        frame_ = window_.normalized();
    } else {
        frame_ = measure();
        window_ = frame_;
    }
    sizeMm100_ =
        QSizeF(frame_.width() * 2540 / unitsPerInch, frame_.height() * 2540 / unitsPerInch);
    return true;
}

// The extent of what the records draw, for files that do not say.
QRectF Metafile::measure() const {
    QPicture picture;
    {
        QPainter painter(&picture);
        play(painter, QRectF(0, 0, 1, 1), QRectF(0, 0, 1, 1));
    }
    // the corners one by one: QRect's own width overflows on extreme rectangles
    const QRect r = picture.boundingRect();
    const QRectF bounds(QPointF(r.left(), r.top()),
                        QPointF(double(r.right()) + 1, double(r.bottom()) + 1));
    return bounds.isValid() ? bounds : QRectF();
}

QSizeF Metafile::naturalSize() const {
    return sizeMm100_ * (kPagePixelsPerInch / 2540);
}

void Metafile::draw(QPainter& painter, const QRectF& target) const {
    if (!painter.isActive() || !finiteRect(target) || target.isEmpty() || frame_.isEmpty()) return;
    play(painter, frame_, target);
}

void Metafile::play(QPainter& painter, const QRectF& frame, const QRectF& target) const {
    MetafileCanvas canvas(painter, frameToTarget(frame, target), devicePerMm_);
    if (format_ == Format::Emf) {
        EmfReader::play(*bytes_, canvas);
        return;
    }
    WmfHeader header;
    header.recordsOffset = recordsOffset_;
    const QRectF window = hasArea(window_) ? window_ : frame;
    WmfReader::play(*bytes_, header, window, canvas);
}

} // namespace vl
