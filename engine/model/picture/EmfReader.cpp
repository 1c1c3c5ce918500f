#include "engine/model/picture/EmfReader.h"

#include "engine/model/picture/ByteReader.h"
#include "engine/model/picture/DibDecoder.h"
#include "engine/model/picture/MetafileCanvas.h"

#include <cmath>

namespace vl {

namespace {

enum EmfRecord : std::uint32_t {
    kHeader = 1,
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetRop2 = 20,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kOffsetClipRgn = 26,
    kMoveToEx = 27,
    kExcludeClipRect = 29,
    kIntersectClipRect = 30,
    kScaleViewportExtEx = 31,
    kScaleWindowExtEx = 32,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kAngleArc = 41,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kArc = 45,
    kChord = 46,
    kPie = 47,
    kLineTo = 54,
    kArcTo = 55,
    kPolyDraw = 56,
    kSetArcDirection = 57,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kSelectClipPath = 67,
    kAbortPath = 68,
    kFillRgn = 71,
    kFrameRgn = 72,
    kPaintRgn = 74,
    kExtSelectClipRgn = 75,
    kBitBlt = 76,
    kStretchBlt = 77,
    kSetDiBitsToDevice = 80,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kPolyDraw16 = 92,
    kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94,
    kExtCreatePen = 95,
    kPolyTextOutA = 96,
    kPolyTextOutW = 97,
};

constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kEtoPdy = 0x2000;
constexpr std::size_t kMinHeaderSize = 88;
constexpr std::size_t kMaxRegionRects = 2000;

constexpr auto colourRef = ColourRef;

QPointF pointL(ByteReader& r) {
    const double x = r.i32();
    const double y = r.i32();
    return {x, y};
}

QPointF pointS(ByteReader& r) {
    const double x = r.i16();
    const double y = r.i16();
    return {x, y};
}

QRectF rectL(ByteReader& r) {
    const QPointF topLeft = pointL(r);
    const QPointF bottomRight = pointL(r);
    return QRectF(topLeft, bottomRight);
}

QPolygonF readPoints(ByteReader& r, std::uint64_t count, bool small) {
    const std::size_t size = small ? 4 : 8;
    count = std::min<std::uint64_t>(count, r.remaining() / size);
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(count));
    for (std::uint64_t i = 0; i < count; ++i)
        points.append(small ? pointS(r) : pointL(r));
    return points;
}

// RGNDATA: a header and rectangles. Very fragmented regions fall back to
// their bounds.
std::optional<QPainterPath> readRegion(std::span<const std::uint8_t> data) {
    ByteReader r(data);
    r.u32(); // header size
    r.u32(); // type
    const std::uint32_t count = r.u32();
    r.u32(); // size
    const QRectF bounds = rectL(r);
    if (!r.ok()) return std::nullopt;
    QPainterPath path;
    if (count > kMaxRegionRects || count > r.remaining() / 16) {
        path.addRect(bounds.normalized());
        return path;
    }
    for (std::uint32_t i = 0; i < count; ++i)
        path.addRect(rectL(r).normalized());
    return path;
}

QTransform readXform(ByteReader& r, bool& ok) {
    float m[6];
    for (float& v : m)
        v = r.f32();
    ok = r.ok();
    for (const float v : m)
        ok = ok && std::isfinite(v);
    return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

GdiBrush stockBrush(int grey, int style = GdiBrush::kSolid) {
    return GdiBrush{style, QColor(grey, grey, grey), 0, {}};
}

class EmfPlayer {
public:
    explicit EmfPlayer(MetafileCanvas& canvas) : canvas_(canvas) {}

    // r reads the whole record, positioned after type and size.
    void play(std::uint32_t type, ByteReader& r) {
        if (playState(type, r) || playObjects(type, r) || playLines(type, r) ||
            playShapes(type, r) || playPaths(type, r) || playBitmaps(type, r))
            return;
        playText(type, r);
    }

private:
    GdiState& state() { return canvas_.state(); }

    static std::optional<GdiState::Setting> settingOf(std::uint32_t type) {
        switch (type) {
        case kSetMapMode:
            return GdiState::Setting::MapMode;
        case kSetBkMode:
            return GdiState::Setting::BkMode;
        case kSetPolyFillMode:
            return GdiState::Setting::PolyFillMode;
        case kSetRop2:
            return GdiState::Setting::Rop2;
        case kSetTextAlign:
            return GdiState::Setting::TextAlign;
        case kSetTextColor:
            return GdiState::Setting::TextColor;
        case kSetBkColor:
            return GdiState::Setting::BkColor;
        default:
            return std::nullopt;
        }
    }

    bool playState(std::uint32_t type, ByteReader& r) {
        if (const auto setting = settingOf(type)) {
            state().set(*setting, r.u32());
            return true;
        }
        switch (type) {
        case kSetArcDirection:
            state().clockwiseArcs = r.u32() == 2;
            return true;
        case kSaveDc:
            canvas_.saveDC();
            return true;
        case kRestoreDc:
            canvas_.restoreDC(r.i32());
            return true;
        default:
            return playMapping(type, r);
        }
    }

    bool playMapping(std::uint32_t type, ByteReader& r) {
        switch (type) {
        case kSetWindowExtEx:
            state().windowExt = extent(r);
            return true;
        case kSetWindowOrgEx:
            state().windowOrg = pointL(r);
            return true;
        case kSetViewportExtEx:
            state().viewportExt = extent(r);
            return true;
        case kSetViewportOrgEx:
            state().viewportOrg = pointL(r);
            return true;
        case kScaleViewportExtEx:
            scale(r, state().viewportExt);
            return true;
        case kScaleWindowExtEx:
            scale(r, state().windowExt);
            return true;
        case kSetWorldTransform:
        case kModifyWorldTransform:
            worldTransform(type, r);
            return true;
        default:
            return playClipping(type, r);
        }
    }

    static QSizeF extent(ByteReader& r) {
        const QPointF e = pointL(r);
        return {e.x(), e.y()};
    }

    static void scale(ByteReader& r, QSizeF& ext) {
        const double xNum = r.i32(), xDenom = r.i32(), yNum = r.i32(), yDenom = r.i32();
        if (r.ok()) GdiState::scaleExtent(ext, xNum, xDenom, yNum, yDenom);
    }

    void worldTransform(std::uint32_t type, ByteReader& r) {
        bool ok = false;
        const QTransform x = readXform(r, ok);
        const std::uint32_t mode = type == kSetWorldTransform ? 4 : r.u32();
        if (!ok || !r.ok()) return;
        QTransform& world = state().world;
        switch (mode) {
        case 1: // identity
            world.reset();
            break;
        case 2: // the new transform applies first
            world = x * world;
            break;
        case 3:
            world = world * x;
            break;
        case 4:
            world = x;
            break;
        default:
            break;
        }
    }

    bool playClipping(std::uint32_t type, ByteReader& r) {
        switch (type) {
        case kIntersectClipRect:
            canvas_.intersectClipRect(rectL(r));
            return true;
        case kExcludeClipRect:
            canvas_.excludeClipRect(rectL(r));
            return true;
        case kOffsetClipRgn:
            canvas_.offsetClip(pointL(r));
            return true;
        case kExtSelectClipRgn: {
            const std::uint32_t size = r.u32();
            const int mode = static_cast<int>(r.u32());
            if (!r.ok()) return true;
            const auto data = r.take(std::min<std::size_t>(size, r.remaining()));
            canvas_.selectClip(size == 0 ? std::nullopt : readRegion(data), mode);
            return true;
        }
        case kSelectClipPath:
            canvas_.selectClipPath(static_cast<int>(r.u32()));
            return true;
        default:
            return false;
        }
    }

    bool playObjects(std::uint32_t type, ByteReader& r) {
        switch (type) {
        case kCreatePen: {
            const std::uint32_t slot = r.u32();
            GdiPen pen;
            pen.style = r.u32();
            pen.width = std::abs(double(r.i32()));
            r.i32();
            pen.color = colourRef(r.u32());
            table_.put(slot, pen);
            return true;
        }
        case kExtCreatePen:
            extCreatePen(r);
            return true;
        case kCreateBrushIndirect: {
            const std::uint32_t slot = r.u32();
            GdiBrush brush;
            brush.style = static_cast<int>(r.u32());
            brush.color = colourRef(r.u32());
            brush.hatch = static_cast<int>(r.u32());
            table_.put(slot, brush);
            return true;
        }
        case kCreateMonoBrush:
        case kCreateDibPatternBrushPt:
            patternBrush(r);
            return true;
        case kExtCreateFontIndirectW:
            createFont(r);
            return true;
        case kSelectObject:
            select(r.u32());
            return true;
        case kDeleteObject:
            table_.remove(r.u32());
            return true;
        default:
            return false;
        }
    }

    void extCreatePen(ByteReader& r) {
        const std::uint32_t slot = r.u32();
        r.skip(16); // pattern bitmap offsets and sizes
        GdiPen pen;
        pen.style = r.u32();
        pen.width = r.u32();
        const std::uint32_t brushStyle = r.u32();
        pen.color = colourRef(r.u32());
        r.u32(); // hatch
        const std::uint32_t entries = r.u32();
        if (!r.ok()) return;
        if (brushStyle == GdiBrush::kNull) pen.style = GdiPen::kNull;
        for (std::uint32_t i = 0; i < entries && r.remaining() >= 4 && i < 64; ++i)
            pen.dashes.push_back(r.u32());
        table_.put(slot, pen);
    }

    void patternBrush(ByteReader& r) {
        const std::uint32_t slot = r.u32();
        const std::uint32_t usage = r.u32();
        const std::uint32_t offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
        if (!r.ok()) return;
        GdiBrush brush;
        brush.style = GdiBrush::kDibPatternPt;
        brush.color = QColor(128, 128, 128);
        brush.pattern =
            canvas_.decodeDib(r.slice(offBmi, cbBmi), r.slice(offBits, cbBits), usage == 1);
        table_.put(slot, brush);
    }

    void createFont(ByteReader& r) {
        const std::uint32_t slot = r.u32();
        GdiFont font;
        font.height = r.i32();
        font.width = r.i32();
        font.escapement = r.i32();
        r.i32(); // orientation
        font.weight = r.i32();
        font.italic = r.u8();
        font.underline = r.u8();
        font.strikeOut = r.u8();
        font.charset = r.u8();
        r.skip(4);
        std::u16string face;
        for (int i = 0; i < 32 && r.remaining() >= 2; ++i) {
            const char16_t c = r.u16();
            if (c == 0) break;
            face.push_back(c);
        }
        if (!r.ok()) return;
        font.face = QString::fromStdU16String(face);
        table_.put(slot, font);
    }

    void select(std::uint32_t slot) {
        if (slot & kStockObject) {
            selectStock(slot & ~kStockObject);
            return;
        }
        const GdiObject* object = table_.get(slot);
        if (!object) return;
        if (const auto* pen = std::get_if<GdiPen>(object))
            state().pen = *pen;
        else if (const auto* brush = std::get_if<GdiBrush>(object))
            state().brush = *brush;
        else if (const auto* font = std::get_if<GdiFont>(object))
            state().font = *font;
    }

    void selectStock(std::uint32_t index) {
        static constexpr int kGreys[] = {255, 192, 128, 64, 0};
        if (index <= 4) {
            state().brush = stockBrush(kGreys[index]);
        } else if (index == 5) {
            state().brush = stockBrush(0, GdiBrush::kNull);
        } else if (index == 6 || index == 7 || index == 8) {
            GdiPen pen;
            pen.color = index == 6 ? Qt::white : Qt::black;
            pen.style = index == 8 ? GdiPen::kNull : GdiPen::kSolid;
            state().pen = pen;
        } else if (index >= 10 && index <= 17 && index != 15) {
            state().font = GdiFont{};
        } else if (index == 18) {
            state().brush = stockBrush(255);
        } else if (index == 19) {
            state().pen = GdiPen{};
        }
    }

    bool playLines(std::uint32_t type, ByteReader& r) {
        switch (type) {
        case kMoveToEx:
            canvas_.moveTo(pointL(r));
            return true;
        case kLineTo:
            canvas_.lineTo(pointL(r));
            return true;
        case kPolyBezier:
        case kPolygon:
        case kPolyline:
        case kPolyBezierTo:
        case kPolylineTo:
            poly(type, r, false);
            return true;
        case kPolyBezier16:
        case kPolygon16:
        case kPolyline16:
        case kPolyBezierTo16:
        case kPolylineTo16:
            poly(type - (kPolyBezier16 - kPolyBezier), r, true);
            return true;
        case kPolyPolyline:
        case kPolyPolygon:
            polyPoly(type, r, false);
            return true;
        case kPolyPolyline16:
        case kPolyPolygon16:
            polyPoly(type - (kPolyPolyline16 - kPolyPolyline), r, true);
            return true;
        case kPolyDraw:
        case kPolyDraw16:
            polyDraw(r, type == kPolyDraw16);
            return true;
        default:
            return false;
        }
    }

    void poly(std::uint32_t type, ByteReader& r, bool small) {
        r.skip(16); // bounds
        const QPolygonF points = readPoints(r, r.u32(), small);
        if (!r.ok()) return;
        switch (type) {
        case kPolyBezier:
            canvas_.polyBezier(points);
            break;
        case kPolygon:
            canvas_.polygon(points);
            break;
        case kPolyline:
            canvas_.polyline(points);
            break;
        case kPolyBezierTo:
            canvas_.polyBezierTo(points);
            break;
        default:
            canvas_.polylineTo(points);
            break;
        }
    }

    void polyPoly(std::uint32_t type, ByteReader& r, bool small) {
        r.skip(16);
        const std::uint32_t polys = r.u32();
        r.u32(); // total points
        if (!r.ok() || polys > r.remaining() / 4) return;
        std::vector<std::uint32_t> counts(polys);
        for (auto& count : counts)
            count = r.u32();
        std::vector<QPolygonF> shapes;
        shapes.reserve(polys);
        for (const std::uint32_t count : counts)
            shapes.push_back(readPoints(r, count, small));
        if (!r.ok()) return;
        if (type == kPolyPolygon)
            canvas_.polyPolygon(shapes);
        else
            canvas_.polyPolyline(shapes);
    }

    void polyDraw(ByteReader& r, bool small) {
        r.skip(16);
        const std::uint32_t count = r.u32();
        const QPolygonF points = readPoints(r, count, small);
        if (!r.ok() || static_cast<std::uint32_t>(points.size()) != count) return;
        const auto types = r.take(count);
        if (r.ok()) canvas_.polyDraw(points, types);
    }

    bool playShapes(std::uint32_t type, ByteReader& r) {
        switch (type) {
        case kRectangle:
            canvas_.rectangle(rectL(r));
            return true;
        case kEllipse:
            canvas_.ellipse(rectL(r));
            return true;
        case kRoundRect: {
            const QRectF box = rectL(r);
            const QPointF corner = pointL(r);
            if (r.ok()) canvas_.roundRect(box, QSizeF(corner.x(), corner.y()));
            return true;
        }
        case kArc:
        case kChord:
        case kPie:
        case kArcTo:
            arc(type, r);
            return true;
        case kAngleArc: {
            const QPointF centre = pointL(r);
            const double radius = r.u32();
            const double start = r.f32(), sweep = r.f32();
            if (r.ok()) canvas_.angleArc(centre, radius, start, sweep);
            return true;
        }
        case kSetPixelV: {
            const QPointF at = pointL(r);
            canvas_.setPixel(at, colourRef(r.u32()));
            return true;
        }
        default:
            return playRegions(type, r);
        }
    }

    void arc(std::uint32_t type, ByteReader& r) {
        const QRectF box = rectL(r);
        const QPointF start = pointL(r);
        const QPointF end = pointL(r);
        if (!r.ok()) return;
        using Kind = MetafileCanvas::ArcKind;
        const Kind kind = type == kArc     ? Kind::Arc
                          : type == kChord ? Kind::Chord
                          : type == kPie   ? Kind::Pie
                                           : Kind::ArcTo;
        canvas_.arc(box, start, end, kind);
    }

    bool playRegions(std::uint32_t type, ByteReader& r) {
        if (type != kFillRgn && type != kFrameRgn && type != kPaintRgn) return false;
        r.skip(16);
        const std::uint32_t size = r.u32();
        const std::uint32_t slot = type == kPaintRgn ? 0 : r.u32();
        if (type == kFrameRgn) r.skip(8);
        if (!r.ok()) return true;
        const auto region = readRegion(r.take(std::min<std::size_t>(size, r.remaining())));
        if (!region) return true;
        GdiBrush brush = state().brush;
        if (type != kPaintRgn) {
            const GdiObject* object = table_.get(slot);
            if (!object || !std::holds_alternative<GdiBrush>(*object)) return true;
            brush = std::get<GdiBrush>(*object);
        }
        if (type == kFrameRgn)
            canvas_.frameRegion(*region, brush);
        else
            canvas_.fillRegion(*region, brush);
        return true;
    }

    bool playPaths(std::uint32_t type, ByteReader&) {
        switch (type) {
        case kBeginPath:
            canvas_.beginPath();
            return true;
        case kEndPath:
            canvas_.endPath();
            return true;
        case kCloseFigure:
            canvas_.closeFigure();
            return true;
        case kFillPath:
            canvas_.fillPath();
            return true;
        case kStrokeAndFillPath:
            canvas_.strokeAndFillPath();
            return true;
        case kStrokePath:
            canvas_.strokePath();
            return true;
        case kAbortPath:
            canvas_.abortPath();
            return true;
        default:
            return false;
        }
    }

    struct BitmapSource {
        std::uint32_t offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0, usage = 0;
    };

    QImage decode(const ByteReader& r, const BitmapSource& s) {
        if (s.cbBmi == 0) return {};
        return canvas_.decodeDib(r.slice(s.offBmi, s.cbBmi), r.slice(s.offBits, s.cbBits),
                                 s.usage == 1);
    }

    // Source rows of StretchDIBits and SetDIBitsToDevice count from the
    // bottom of a bottom-up bitmap.
    static QRectF dibSource(const ByteReader& r, const BitmapSource& s, const QRectF& source) {
        const auto header = DibDecoder::readHeader(r.slice(s.offBmi, s.cbBmi));
        if (!header || header->topDown) return source;
        return QRectF(source.x(), header->height - source.y() - source.height(), source.width(),
                      source.height());
    }

    bool playBitmaps(std::uint32_t type, ByteReader& r) {
        switch (type) {
        case kBitBlt:
        case kStretchBlt:
            blit(type, r);
            return true;
        case kStretchDiBits:
            stretchDiBits(r);
            return true;
        case kSetDiBitsToDevice:
            setDiBitsToDevice(r);
            return true;
        default:
            return false;
        }
    }

    void blit(std::uint32_t type, ByteReader& r) {
        r.skip(16);
        const QPointF dest = pointL(r);
        const QPointF destSize = pointL(r);
        const std::uint32_t rop = r.u32();
        const QPointF src = pointL(r);
        r.skip(24 + 4); // source transform, background colour
        BitmapSource s;
        s.usage = r.u32();
        s.offBmi = r.u32();
        s.cbBmi = r.u32();
        s.offBits = r.u32();
        s.cbBits = r.u32();
        QPointF srcSize = destSize;
        if (type == kStretchBlt) srcSize = pointL(r);
        if (!r.ok()) return;
        const QRectF target(dest, QSizeF(destSize.x(), destSize.y()));
        if (s.cbBmi == 0) {
            canvas_.patBlt(target, rop);
            return;
        }
        canvas_.stretchBlt(decode(r, s), target, QRectF(src, QSizeF(srcSize.x(), srcSize.y())),
                           rop);
    }

    void stretchDiBits(ByteReader& r) {
        r.skip(16);
        const QPointF dest = pointL(r);
        const QPointF src = pointL(r);
        const QPointF srcSize = pointL(r);
        BitmapSource s;
        s.offBmi = r.u32();
        s.cbBmi = r.u32();
        s.offBits = r.u32();
        s.cbBits = r.u32();
        s.usage = r.u32();
        const std::uint32_t rop = r.u32();
        const QPointF destSize = pointL(r);
        if (!r.ok()) return;
        const QRectF source = dibSource(r, s, QRectF(src, QSizeF(srcSize.x(), srcSize.y())));
        canvas_.stretchBlt(decode(r, s), QRectF(dest, QSizeF(destSize.x(), destSize.y())), source,
                           rop);
    }

    void setDiBitsToDevice(ByteReader& r) {
        r.skip(16);
        const QPointF dest = pointL(r);
        const QPointF src = pointL(r);
        const QPointF size = pointL(r);
        BitmapSource s;
        s.offBmi = r.u32();
        s.cbBmi = r.u32();
        s.offBits = r.u32();
        s.cbBits = r.u32();
        s.usage = r.u32();
        if (!r.ok()) return;
        const QSizeF extent(size.x(), size.y());
        canvas_.stretchBlt(decode(r, s), QRectF(dest, extent), dibSource(r, s, QRectF(src, extent)),
                           0x00CC0020);
    }

    void playText(std::uint32_t type, ByteReader& r) {
        if (type != kExtTextOutA && type != kExtTextOutW && type != kPolyTextOutA &&
            type != kPolyTextOutW)
            return;
        const bool wide = type == kExtTextOutW || type == kPolyTextOutW;
        r.skip(16 + 12); // bounds, graphics mode, scales
        std::uint32_t strings = 1;
        if (type == kPolyTextOutA || type == kPolyTextOutW) strings = r.u32();
        for (std::uint32_t i = 0; i < strings && r.ok() && r.remaining() >= 40; ++i)
            emrText(r, wide);
    }

    // One EMRTEXT; its offsets count from the start of the record.
    void emrText(ByteReader& r, bool wide) {
        MetafileCanvas::TextRun run;
        run.reference = pointL(r);
        const std::uint32_t count = r.u32();
        const std::uint32_t offString = r.u32();
        run.options = r.u32();
        const QRectF rect = rectL(r);
        const std::uint32_t offDx = r.u32();
        if (!r.ok()) return;
        if (!rect.isNull()) run.rect = rect;
        const std::uint64_t chars = std::min<std::uint64_t>(count, MetafileCanvas::kMaxTextLength);
        const auto text = r.slice(offString, chars * (wide ? 2 : 1));
        if (text.empty()) return;
        if (wide) {
            ByteReader t(text);
            std::u16string units;
            for (std::uint64_t i = 0; i < chars; ++i)
                units.push_back(t.u16());
            run.text = QString::fromStdU16String(units);
        } else {
            run.text = DecodeAnsiText(
                std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                state().font.charset);
        }
        const std::uint64_t step = (run.options & kEtoPdy) ? 2 : 1;
        ByteReader dx(r.slice(offDx, chars * 4 * step));
        if (offDx != 0 && dx.size() > 0)
            for (std::uint64_t i = 0; i < chars; ++i) {
                run.dx.push_back(dx.i32());
                if (step == 2) dx.i32();
            }
        canvas_.textOut(run);
    }

    MetafileCanvas& canvas_;
    GdiObjectTable table_;
};

QPointF devicePerMm(std::int32_t px, std::int32_t py, double mx, double my) {
    const double x = px / mx, y = py / my;
    const bool usable = mx > 0 && my > 0 && px > 0 && py > 0 && std::isfinite(x) &&
                        std::isfinite(y) && x > 0.01 && y > 0.01 && x < 1e5 && y < 1e5;
    return usable ? QPointF(x, y) : QPointF(96 / 25.4, 96 / 25.4);
}

} // namespace

std::optional<EmfHeader> EmfReader::readHeader(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    const std::uint32_t type = r.u32();
    EmfHeader header;
    header.size = r.u32();
    const QRectF bounds = rectL(r);
    const QRectF frame = rectL(r);
    const std::uint32_t signature = r.u32();
    if (!r.ok() || type != kHeader || signature != EmfHeader::kSignature ||
        header.size < kMinHeaderSize || header.size > bytes.size() || header.size % 4 != 0)
        return std::nullopt;
    header.bounds = bounds.adjusted(0, 0, 1, 1);
    header.frame = frame;
    r.seek(72);
    const std::int32_t devX = r.i32(), devY = r.i32();
    double mmX = r.i32(), mmY = r.i32();
    if (header.size >= 108) {
        r.seek(100);
        const double umX = r.i32(), umY = r.i32();
        if (umX > 0 && umY > 0) {
            mmX = umX / 1000;
            mmY = umY / 1000;
        }
    }
    header.devicePerMm = devicePerMm(devX, devY, mmX, mmY);
    return header;
}

void EmfReader::play(std::span<const std::uint8_t> bytes, MetafileCanvas& canvas) {
    EmfPlayer player(canvas);
    ByteReader all(bytes);
    std::size_t pos = 0;
    while (bytes.size() - pos >= 8) {
        all.seek(pos);
        const std::uint32_t type = all.u32();
        const std::uint32_t size = all.u32();
        if (size < 8 || size % 4 != 0 || size > bytes.size() - pos || type == kEof) return;
        ByteReader record(bytes.subspan(pos, size));
        record.seek(8);
        if (type != kHeader) player.play(type, record);
        pos += size;
    }
}

} // namespace vl
