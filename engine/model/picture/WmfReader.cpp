#include "engine/model/picture/WmfReader.h"

#include "engine/model/picture/ByteReader.h"
#include "engine/model/picture/DibDecoder.h"
#include "engine/model/picture/MetafileCanvas.h"
#include "engine/script/CodePage.h"

#include <string_view>

namespace vl {

namespace {

// Record functions. The high byte of most is the parameter count, which tells
// the blit records with a bitmap from those without.
enum WmfFunction : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetRop2 = 0x0104,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectClipRegion = 0x012C,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kOffsetClipRgn = 0x0220,
    kFillRegion = 0x0228,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kFrameRegion = 0x0429,
    kPaintRegion = 0x012B,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kBitBlt = 0x0922,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kStretchBlt = 0x0B23,
    kDibStretchBlt = 0x0B41,
    kSetDibToDev = 0x0D33,
    kStretchDib = 0x0F43,
};

constexpr std::size_t kStandardHeaderBytes = 18;
constexpr std::uint16_t kEtoOpaque = 2, kEtoClipped = 4;

constexpr auto colourRef = ColourRef;

// One record: its function and a reader over its parameters.
struct Record {
    std::uint16_t function = 0;
    std::uint32_t words = 0;
    ByteReader params;
};

// Walks the records; stops at the end record or at the first record whose
// size is damaged.
template <typename Visit>
void forEachRecord(std::span<const std::uint8_t> bytes, std::size_t offset, Visit&& visit) {
    ByteReader r(bytes);
    r.seek(offset);
    while (r.ok() && r.remaining() >= 6) {
        const std::size_t start = r.pos();
        const std::uint32_t words = r.u32();
        const std::uint16_t function = r.u16();
        const std::uint64_t length = std::uint64_t(words) * 2;
        if (words < 3 || length > bytes.size() - start || function == kEof) return;
        visit(Record{function, words, ByteReader(bytes.subspan(start + 6, length - 6))});
        r.seek(start + static_cast<std::size_t>(length));
    }
}

QPointF point(ByteReader& p) { // stored y first
    const double y = p.i16();
    const double x = p.i16();
    return {x, y};
}

QRectF rectBrtl(ByteReader& p) { // bottom, right, top, left
    const double bottom = p.i16(), right = p.i16(), top = p.i16(), left = p.i16();
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPolygonF points(ByteReader& p, std::size_t count) { // stored x first
    QPolygonF polygon;
    count = std::min(count, p.remaining() / 4);
    polygon.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const double x = p.i16();
        const double y = p.i16();
        polygon.append(QPointF(x, y));
    }
    return polygon;
}

// A region object: scans of rectangles, or its bounding box when it has none.
QPainterPath readRegion(ByteReader& p) {
    p.skip(10); // chain, type, object count, size
    const int scans = p.i16();
    p.skip(2); // max scan
    const double left = p.i16(), top = p.i16(), right = p.i16(), bottom = p.i16();
    QPainterPath path;
    for (int s = 0; s < scans && p.ok() && p.remaining() >= 6; ++s) {
        const int count = p.u16();
        const double scanTop = p.u16(), scanBottom = p.u16();
        for (int i = 0; i + 1 < count && p.remaining() >= 4; i += 2) {
            const double l = p.u16(), r = p.u16();
            path.addRect(QRectF(QPointF(l, scanTop), QPointF(r, scanBottom)).normalized());
        }
        p.u16(); // count again
    }
    if (path.isEmpty() && p.ok())
        path.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
    return path;
}

class WmfPlayer {
public:
    explicit WmfPlayer(MetafileCanvas& canvas) : canvas_(canvas) {}

    void play(Record& rec) {
        if (playState(rec) || playObjects(rec) || playDrawing(rec) || playBitmaps(rec)) return;
        playClipping(rec);
    }

private:
    GdiState& state() { return canvas_.state(); }

    bool playState(Record& rec) {
        ByteReader& p = rec.params;
        switch (rec.function) {
        case kSaveDc:
            canvas_.saveDC();
            return true;
        case kRestoreDc:
            canvas_.restoreDC(p.i16());
            return true;
        case kSetMapMode:
            state().set(GdiState::Setting::MapMode, p.u16());
            return true;
        case kSetBkMode:
            state().set(GdiState::Setting::BkMode, p.u16());
            return true;
        case kSetRop2:
            state().set(GdiState::Setting::Rop2, p.u16());
            return true;
        case kSetPolyFillMode:
            state().set(GdiState::Setting::PolyFillMode, p.u16());
            return true;
        case kSetTextAlign:
            state().set(GdiState::Setting::TextAlign, p.u16());
            return true;
        case kSetBkColor:
            state().set(GdiState::Setting::BkColor, p.u32());
            return true;
        case kSetTextColor:
            state().set(GdiState::Setting::TextColor, p.u32());
            return true;
        default:
            return playMapping(rec);
        }
    }

    bool playMapping(Record& rec) {
        ByteReader& p = rec.params;
        switch (rec.function) {
        case kSetWindowOrg:
            state().windowOrg = point(p);
            return true;
        case kSetWindowExt:
            state().windowExt = extent(p);
            return true;
        case kSetViewportOrg:
            state().viewportOrg = point(p);
            return true;
        case kSetViewportExt:
            state().viewportExt = extent(p);
            return true;
        case kOffsetWindowOrg:
            state().windowOrg += point(p);
            return true;
        case kOffsetViewportOrg:
            state().viewportOrg += point(p);
            return true;
        case kScaleWindowExt:
            scale(p, state().windowExt);
            return true;
        case kScaleViewportExt:
            scale(p, state().viewportExt);
            return true;
        default:
            return false;
        }
    }

    static QSizeF extent(ByteReader& p) {
        const QPointF e = point(p);
        return {e.x(), e.y()};
    }
    static void scale(ByteReader& p, QSizeF& ext) {
        const int yDenom = p.i16(), yNum = p.i16(), xDenom = p.i16(), xNum = p.i16();
        if (p.ok()) GdiState::scaleExtent(ext, xNum, xDenom, yNum, yDenom);
    }

    bool playObjects(Record& rec) {
        ByteReader& p = rec.params;
        switch (rec.function) {
        case kCreatePenIndirect:
            table_.add(readPen(p));
            return true;
        case kCreateBrushIndirect:
            table_.add(readBrush(p));
            return true;
        case kCreateFontIndirect:
            table_.add(readFont(p));
            return true;
        case kDibCreatePatternBrush:
            table_.add(readDibBrush(p));
            return true;
        case kCreatePatternBrush: // old device-dependent bitmaps: mid grey
            table_.add(GdiBrush{GdiBrush::kSolid, QColor(128, 128, 128), 0, {}});
            return true;
        case kCreatePalette:
            table_.add(GdiPalette{});
            return true;
        case kCreateRegion:
            table_.add(GdiRegion{readRegion(p)});
            return true;
        case kSelectObject:
            select(p.u16());
            return true;
        case kDeleteObject:
            table_.remove(p.u16());
            return true;
        default:
            return false;
        }
    }

    static GdiPen readPen(ByteReader& p) {
        GdiPen pen;
        pen.style = p.u16();
        pen.width = std::abs(p.i16());
        p.i16();
        pen.color = colourRef(p.u32());
        return pen;
    }

    static GdiBrush readBrush(ByteReader& p) {
        GdiBrush brush;
        brush.style = p.u16();
        brush.color = colourRef(p.u32());
        brush.hatch = p.u16();
        return brush;
    }

    static GdiFont readFont(ByteReader& p) {
        GdiFont font;
        font.height = p.i16();
        font.width = p.i16();
        font.escapement = p.i16();
        p.i16(); // orientation
        font.weight = p.i16();
        font.italic = p.u8();
        font.underline = p.u8();
        font.strikeOut = p.u8();
        font.charset = p.u8();
        p.skip(4); // precision, quality, pitch
        const auto face = p.take(std::min<std::size_t>(p.remaining(), 32));
        std::string_view name(reinterpret_cast<const char*>(face.data()), face.size());
        name = name.substr(0, name.find('\0'));
        font.face = CurrentCodePage().toUnicode(name);
        return font;
    }

    GdiBrush readDibBrush(ByteReader& p) {
        GdiBrush brush;
        const int style = p.u16();
        const int usage = p.u16();
        brush.style = GdiBrush::kDibPattern;
        brush.color = QColor(128, 128, 128);
        if (style != GdiBrush::kPattern)
            brush.pattern = canvas_.decodePackedDib(p.take(p.remaining()), usage == 1);
        return brush;
    }

    void select(std::uint16_t slot) {
        const GdiObject* object = table_.get(slot);
        if (!object) return;
        if (const auto* pen = std::get_if<GdiPen>(object))
            state().pen = *pen;
        else if (const auto* brush = std::get_if<GdiBrush>(object))
            state().brush = *brush;
        else if (const auto* font = std::get_if<GdiFont>(object))
            state().font = *font;
        else if (const auto* region = std::get_if<GdiRegion>(object))
            selectRegion(*region);
    }

    void selectRegion(const GdiRegion& region) {
        canvas_.selectClip(canvas_.logicalToDevice().map(region.path), MetafileCanvas::kRgnCopy);
    }

    bool playDrawing(Record& rec) {
        ByteReader& p = rec.params;
        switch (rec.function) {
        case kMoveTo:
            canvas_.moveTo(point(p));
            return true;
        case kLineTo:
            canvas_.lineTo(point(p));
            return true;
        case kPolyline:
            canvas_.polyline(points(p, p.u16()));
            return true;
        case kPolygon:
            canvas_.polygon(points(p, p.u16()));
            return true;
        case kPolyPolygon:
            polyPolygon(p);
            return true;
        case kRectangle:
            canvas_.rectangle(rectBrtl(p));
            return true;
        case kEllipse:
            canvas_.ellipse(rectBrtl(p));
            return true;
        case kRoundRect: {
            const double h = p.i16(), w = p.i16();
            canvas_.roundRect(rectBrtl(p), QSizeF(w, h));
            return true;
        }
        case kArc:
            arc(p, MetafileCanvas::ArcKind::Arc);
            return true;
        case kChord:
            arc(p, MetafileCanvas::ArcKind::Chord);
            return true;
        case kPie:
            arc(p, MetafileCanvas::ArcKind::Pie);
            return true;
        case kSetPixel: {
            const QColor c = colourRef(p.u32());
            canvas_.setPixel(point(p), c);
            return true;
        }
        case kTextOut:
            textOut(p);
            return true;
        case kExtTextOut:
            extTextOut(p);
            return true;
        default:
            return playRegions(rec);
        }
    }

    void polyPolygon(ByteReader& p) {
        const std::size_t count = std::min<std::size_t>(p.u16(), p.remaining() / 2);
        std::vector<std::size_t> sizes(count);
        for (auto& size : sizes)
            size = p.u16();
        std::vector<QPolygonF> polygons;
        for (const std::size_t size : sizes)
            polygons.push_back(points(p, size));
        if (p.ok()) canvas_.polyPolygon(polygons);
    }

    void arc(ByteReader& p, MetafileCanvas::ArcKind kind) {
        const QPointF end = point(p);
        const QPointF start = point(p);
        const QRectF box = rectBrtl(p);
        if (p.ok()) canvas_.arc(box, start, end, kind);
    }

    QString ansi(std::span<const std::uint8_t> bytes) {
        return DecodeAnsiText(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
            state().font.charset);
    }

    void textOut(ByteReader& p) {
        const int count = p.i16();
        if (count <= 0) return;
        const auto text = p.take(static_cast<std::size_t>(count));
        if (count & 1) p.skip(1);
        MetafileCanvas::TextRun run;
        run.reference = point(p);
        if (!p.ok()) return;
        run.text = ansi(text);
        canvas_.textOut(run);
    }

    void extTextOut(ByteReader& p) {
        MetafileCanvas::TextRun run;
        run.reference = point(p);
        const int count = p.i16();
        run.options = p.u16();
        if (run.options & (kEtoOpaque | kEtoClipped)) {
            const double l = p.i16(), t = p.i16(), r = p.i16(), b = p.i16();
            run.rect = QRectF(QPointF(l, t), QPointF(r, b));
        }
        if (!p.ok() || count < 0) return;
        const auto text = p.take(static_cast<std::size_t>(count));
        if (!p.ok()) return;
        if (count & 1) p.skip(1);
        if (p.remaining() >= static_cast<std::size_t>(count) * 2)
            for (int i = 0; i < count; ++i)
                run.dx.push_back(p.i16());
        run.text = ansi(text);
        canvas_.textOut(run);
    }

    bool playRegions(Record& rec) {
        ByteReader& p = rec.params;
        switch (rec.function) {
        case kFillRegion: {
            const GdiRegion* region = regionAt(p.u16());
            const GdiObject* brush = table_.get(p.u16());
            if (region && brush && std::holds_alternative<GdiBrush>(*brush))
                canvas_.fillRegion(region->path, std::get<GdiBrush>(*brush));
            return true;
        }
        case kPaintRegion:
            if (const GdiRegion* region = regionAt(p.u16()))
                canvas_.fillRegion(region->path, state().brush);
            return true;
        case kFrameRegion: {
            const GdiRegion* region = regionAt(p.u16());
            const GdiObject* brush = table_.get(p.u16());
            if (region && brush && std::holds_alternative<GdiBrush>(*brush))
                canvas_.frameRegion(region->path, std::get<GdiBrush>(*brush));
            return true;
        }
        default:
            return false;
        }
    }

    const GdiRegion* regionAt(std::uint16_t slot) const {
        const GdiObject* object = table_.get(slot);
        return object ? std::get_if<GdiRegion>(object) : nullptr;
    }

    // Without a bitmap a blit record has one parameter word less than its
    // function's high byte announces plus the record header.
    static bool withoutBitmap(const Record& rec) { return rec.words == (rec.function >> 8) + 3u; }

    bool playBitmaps(Record& rec) {
        switch (rec.function) {
        case kPatBlt: {
            ByteReader& p = rec.params;
            const std::uint32_t rop = p.u32();
            const double h = p.i16(), w = p.i16();
            const QPointF at = point(p);
            if (p.ok()) canvas_.patBlt(QRectF(at, QSizeF(w, h)), rop);
            return true;
        }
        case kBitBlt:
        case kDibBitBlt:
            bitBlt(rec);
            return true;
        case kStretchBlt:
        case kDibStretchBlt:
            stretchBlt(rec);
            return true;
        case kStretchDib:
            stretchDib(rec.params);
            return true;
        case kSetDibToDev:
            setDibToDev(rec.params);
            return true;
        default:
            return false;
        }
    }

    void bitBlt(Record& rec) {
        ByteReader& p = rec.params;
        const std::uint32_t rop = p.u32();
        const QPointF src = point(p);
        if (withoutBitmap(rec)) p.skip(2);
        const double h = p.i16(), w = p.i16();
        const QPointF dest = point(p);
        if (!p.ok()) return;
        const QImage image = rec.function == kDibBitBlt && !withoutBitmap(rec)
                                 ? canvas_.decodePackedDib(p.take(p.remaining()))
                                 : QImage();
        if (withoutBitmap(rec) || rec.function == kBitBlt)
            canvas_.patBlt(QRectF(dest, QSizeF(w, h)), rop);
        else
            canvas_.stretchBlt(image, QRectF(dest, QSizeF(w, h)), QRectF(src, QSizeF(w, h)), rop);
    }

    void stretchBlt(Record& rec) {
        ByteReader& p = rec.params;
        const std::uint32_t rop = p.u32();
        const double sh = p.i16(), sw = p.i16();
        const QPointF src = point(p);
        if (withoutBitmap(rec)) p.skip(2);
        const double h = p.i16(), w = p.i16();
        const QPointF dest = point(p);
        if (!p.ok()) return;
        if (withoutBitmap(rec) || rec.function == kStretchBlt) {
            canvas_.patBlt(QRectF(dest, QSizeF(w, h)), rop);
            return;
        }
        const QImage image = canvas_.decodePackedDib(p.take(p.remaining()));
        canvas_.stretchBlt(image, QRectF(dest, QSizeF(w, h)), QRectF(src, QSizeF(sw, sh)), rop);
    }

    // Source rectangles of StretchDIBits and SetDIBitsToDevice count rows
    // from the bottom of a bottom-up bitmap.
    static QRectF dibSource(std::span<const std::uint8_t> packed, const QPointF& at,
                            const QSizeF& size) {
        const auto header = DibDecoder::readHeader(packed);
        if (!header || header->topDown) return QRectF(at, size);
        return QRectF(at.x(), header->height - at.y() - size.height(), size.width(), size.height());
    }

    void stretchDib(ByteReader& p) {
        const std::uint32_t rop = p.u32();
        const int usage = p.u16();
        const double sh = p.i16(), sw = p.i16();
        const QPointF src = point(p);
        const double h = p.i16(), w = p.i16();
        const QPointF dest = point(p);
        if (!p.ok()) return;
        const auto packed = p.take(p.remaining());
        const QImage image = canvas_.decodePackedDib(packed, usage == 1);
        canvas_.stretchBlt(image, QRectF(dest, QSizeF(w, h)),
                           dibSource(packed, src, QSizeF(sw, sh)), rop);
    }

    void setDibToDev(ByteReader& p) {
        const int usage = p.u16();
        p.skip(4); // scan count, start scan: the whole bitmap is drawn
        const QPointF src = point(p);
        const double h = p.i16(), w = p.i16();
        const QPointF dest = point(p);
        if (!p.ok()) return;
        const auto packed = p.take(p.remaining());
        const QImage image = canvas_.decodePackedDib(packed, usage == 1);
        canvas_.stretchBlt(image, QRectF(dest, QSizeF(w, h)), dibSource(packed, src, QSizeF(w, h)),
                           0x00CC0020);
    }

    void playClipping(Record& rec) {
        ByteReader& p = rec.params;
        switch (rec.function) {
        case kIntersectClipRect:
            canvas_.intersectClipRect(rectBrtl(p));
            break;
        case kExcludeClipRect:
            canvas_.excludeClipRect(rectBrtl(p));
            break;
        case kOffsetClipRgn:
            canvas_.offsetClip(point(p));
            break;
        case kSelectClipRegion:
            if (const GdiRegion* region = regionAt(p.u16()))
                selectRegion(*region);
            else
                canvas_.selectClip(std::nullopt, MetafileCanvas::kRgnCopy);
            break;
        default:
            break; // records without effect here (palettes, escapes, ...)
        }
    }

    MetafileCanvas& canvas_;
    GdiObjectTable table_;
};

} // namespace

std::optional<WmfHeader> WmfReader::readHeader(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    WmfHeader header;
    if (r.u32() == WmfHeader::kPlaceableKey) {
        header.placeable = true;
        r.u16(); // handle
        const double left = r.i16(), top = r.i16(), right = r.i16(), bottom = r.i16();
        const int inch = r.u16();
        r.skip(6); // reserved, checksum (often wrong, so not checked)
        header.bounds = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
        header.unitsPerInch = inch > 0 ? inch : 1440;
        header.recordsOffset = 22;
    }
    r.seek(header.recordsOffset);
    const int type = r.u16();
    const int headerWords = r.u16();
    if (!r.ok() || (type != 1 && type != 2) || headerWords != kStandardHeaderBytes / 2)
        return std::nullopt;
    if (r.remaining() < kStandardHeaderBytes - 4) return std::nullopt;
    header.recordsOffset += kStandardHeaderBytes;
    return header;
}

std::optional<QRectF> WmfReader::findWindow(std::span<const std::uint8_t> bytes,
                                            const WmfHeader& header) {
    std::optional<QPointF> origin;
    std::optional<QSizeF> extent;
    int mapMode = GdiState::kText;
    forEachRecord(bytes, header.recordsOffset, [&](Record rec) {
        if (rec.function == kSetMapMode) {
            mapMode = rec.params.u16();
        } else if (rec.function == kSetWindowOrg && !origin) {
            origin = point(rec.params);
        } else if (rec.function == kSetWindowExt && !extent) {
            const QPointF e = point(rec.params);
            extent = QSizeF(e.x(), e.y());
        }
    });
    if (!extent || extent->width() == 0 || extent->height() == 0 ||
        (mapMode >= GdiState::kLoMetric && mapMode <= GdiState::kTwips))
        return std::nullopt;
    return QRectF(origin.value_or(QPointF(0, 0)), *extent);
}

void WmfReader::play(std::span<const std::uint8_t> bytes, const WmfHeader& header,
                     const QRectF& window, MetafileCanvas& canvas) {
    GdiState& state = canvas.state();
    state.mapMode = GdiState::kAnisotropic;
    state.windowOrg = window.topLeft();
    state.windowExt = window.size();
    state.viewportOrg = window.normalized().topLeft();
    state.viewportExt = window.normalized().size();
    WmfPlayer player(canvas);
    forEachRecord(bytes, header.recordsOffset, [&](Record rec) { player.play(rec); });
}

} // namespace vl
