#pragma once

// Builds Windows and enhanced metafiles byte by byte for the player's tests
// and the fuzzer's seeds.

#include <QRect>
#include <QRgb>
#include <QString>
#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vltest {

class Bytes {
public:
    Bytes& u8(std::uint8_t v) {
        data_.push_back(v);
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& i16(int v) { return u16(static_cast<std::uint16_t>(v)); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    Bytes& add(const std::vector<std::uint8_t>& bytes) {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Bytes& add(const Bytes& other) { return add(other.data_); }
    Bytes& pad(std::size_t multiple) {
        while (data_.size() % multiple)
            data_.push_back(0);
        return *this;
    }
    void patch32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t size() const { return data_.size(); }
    const std::vector<std::uint8_t>& data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

inline std::uint32_t colorRef(QRgb c) {
    return qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16);
}

// A packed DIB (BITMAPINFOHEADER, colour table, rows). pixel(x, y) gives the
// palette index for depths up to 8 and an RGB value for 24 and 32; y counts
// from the top.
inline std::vector<std::uint8_t> makeDib(int bits, int width, int height,
                                         const std::vector<QRgb>& palette,
                                         const std::function<std::uint32_t(int, int)>& pixel,
                                         bool topDown = false) {
    Bytes b;
    b.u32(40).i32(width).i32(topDown ? -height : height).u16(1).u16(bits).u32(0).u32(0);
    b.i32(3780).i32(3780).u32(static_cast<std::uint32_t>(palette.size())).u32(0);
    for (const QRgb c : palette)
        b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
    const int stride = ((width * bits + 31) / 32) * 4;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            switch (bits) {
            case 1:
                line[x / 8] |= (v & 1) << (7 - x % 8);
                break;
            case 4:
                line[x / 2] |= (v & 0xF) << (x % 2 ? 0 : 4);
                break;
            case 8:
                line[x] = v & 0xFF;
                break;
            case 24:
                line[3 * x] = qBlue(v);
                line[3 * x + 1] = qGreen(v);
                line[3 * x + 2] = qRed(v);
                break;
            case 32:
                line[4 * x] = qBlue(v);
                line[4 * x + 1] = qGreen(v);
                line[4 * x + 2] = qRed(v);
                break;
            }
        }
        b.add(line);
    }
    return b.data();
}

// Windows metafile records: parameters are 16-bit words in file order.
class WmfWriter {
public:
    WmfWriter& record(std::uint16_t function, const std::vector<int>& words) {
        Bytes params;
        for (const int w : words)
            params.i16(w);
        return raw(function, params);
    }
    WmfWriter& raw(std::uint16_t function, Bytes params) {
        params.pad(2);
        records_.u32(static_cast<std::uint32_t>(3 + params.size() / 2)).u16(function).add(params);
        maxRecord_ = std::max<std::uint32_t>(maxRecord_, 3 + params.size() / 2);
        return *this;
    }
    static std::vector<int> colour(QRgb c) {
        const std::uint32_t v = colorRef(c);
        return {static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16)};
    }

    WmfWriter& setMapMode(int mode) { return record(0x0103, {mode}); }
    WmfWriter& setWindowOrg(int x, int y) { return record(0x020B, {y, x}); }
    WmfWriter& setWindowExt(int w, int h) { return record(0x020C, {h, w}); }
    WmfWriter& setViewportOrg(int x, int y) { return record(0x020D, {y, x}); }
    WmfWriter& setViewportExt(int w, int h) { return record(0x020E, {h, w}); }
    WmfWriter& setBkMode(int mode) { return record(0x0102, {mode}); }
    WmfWriter& setTextAlign(int align) { return record(0x012E, {align}); }
    WmfWriter& setPolyFillMode(int mode) { return record(0x0106, {mode}); }
    WmfWriter& setTextColor(QRgb c) { return record(0x0209, colour(c)); }
    WmfWriter& setBkColor(QRgb c) { return record(0x0201, colour(c)); }
    WmfWriter& saveDC() { return record(0x001E, {}); }
    WmfWriter& restoreDC(int which) { return record(0x0127, {which}); }
    WmfWriter& createPen(int style, int width, QRgb c) {
        auto w = std::vector<int>{style, width, 0};
        for (const int v : colour(c))
            w.push_back(v);
        return record(0x02FA, w);
    }
    WmfWriter& createBrush(int style, QRgb c, int hatch = 0) {
        auto w = std::vector<int>{style};
        for (const int v : colour(c))
            w.push_back(v);
        w.push_back(hatch);
        return record(0x02FC, w);
    }
    WmfWriter& createFont(int height, int escapement, int weight, const std::string& face,
                          int charset = 0, bool italic = false) {
        Bytes b;
        b.i16(height).i16(0).i16(escapement).i16(escapement).i16(weight);
        b.u8(italic).u8(0).u8(0).u8(charset).u32(0);
        for (const char c : face)
            b.u8(static_cast<std::uint8_t>(c));
        b.u8(0);
        return raw(0x02FB, b);
    }
    WmfWriter& select(int slot) { return record(0x012D, {slot}); }
    WmfWriter& deleteObject(int slot) { return record(0x01F0, {slot}); }
    WmfWriter& moveTo(int x, int y) { return record(0x0214, {y, x}); }
    WmfWriter& lineTo(int x, int y) { return record(0x0213, {y, x}); }
    WmfWriter& rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
    WmfWriter& ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
    WmfWriter& intersectClip(int l, int t, int r, int b) { return record(0x0416, {b, r, t, l}); }
    WmfWriter& excludeClip(int l, int t, int r, int b) { return record(0x0415, {b, r, t, l}); }
    WmfWriter& polygon(const std::vector<QPoint>& points, std::uint16_t function = 0x0324) {
        std::vector<int> w{static_cast<int>(points.size())};
        for (const QPoint& p : points) {
            w.push_back(p.x());
            w.push_back(p.y());
        }
        return record(function, w);
    }
    WmfWriter& textOut(int x, int y, const std::string& text) {
        Bytes b;
        b.i16(static_cast<int>(text.size()));
        for (const char c : text)
            b.u8(static_cast<std::uint8_t>(c));
        b.pad(2).i16(y).i16(x);
        return raw(0x0521, b);
    }
    WmfWriter& stretchDib(int x, int y, int w, int h, int sw, int sh,
                          const std::vector<std::uint8_t>& dib, std::uint32_t rop = 0x00CC0020) {
        Bytes b;
        b.u32(rop).u16(0).i16(sh).i16(sw).i16(0).i16(0).i16(h).i16(w).i16(y).i16(x).add(dib);
        return raw(0x0F43, b);
    }

    std::vector<std::uint8_t> build(bool placeable = true, QRect bounds = QRect(0, 0, 1000, 1000),
                                    int inch = 1440, std::uint16_t objects = 64) const {
        Bytes out;
        if (placeable) {
            out.u32(0x9AC6CDD7).u16(0);
            out.i16(bounds.left()).i16(bounds.top());
            out.i16(bounds.left() + bounds.width()).i16(bounds.top() + bounds.height());
            out.u16(inch).u32(0);
            std::uint16_t sum = 0;
            for (std::size_t i = 0; i < 20; i += 2)
                sum ^= out.data()[i] | (out.data()[i + 1] << 8);
            out.u16(sum);
        }
        const std::uint32_t words = 9 + static_cast<std::uint32_t>(records_.size() / 2) + 3;
        out.u16(1).u16(9).u16(0x0300).u32(words).u16(objects).u32(maxRecord_).u16(0);
        out.add(records_);
        out.u32(3).u16(0); // end record
        return out.data();
    }

private:
    Bytes records_;
    std::uint32_t maxRecord_ = 3;
};

// Enhanced metafile records.
class EmfWriter {
public:
    EmfWriter& record(std::uint32_t type, const Bytes& payload) {
        Bytes body = payload;
        body.pad(4);
        records_.u32(type).u32(static_cast<std::uint32_t>(8 + body.size())).add(body);
        ++count_;
        return *this;
    }
    EmfWriter& record(std::uint32_t type, const std::vector<std::int32_t>& values) {
        Bytes b;
        for (const auto v : values)
            b.i32(v);
        return record(type, b);
    }

    EmfWriter& setMapMode(int mode) { return record(17, {mode}); }
    EmfWriter& setWindowExt(int w, int h) { return record(9, {w, h}); }
    EmfWriter& setWindowOrg(int x, int y) { return record(10, {x, y}); }
    EmfWriter& setViewportExt(int w, int h) { return record(11, {w, h}); }
    EmfWriter& setViewportOrg(int x, int y) { return record(12, {x, y}); }
    EmfWriter& setBkMode(int mode) { return record(18, {mode}); }
    EmfWriter& setTextAlign(int align) { return record(22, {align}); }
    EmfWriter& setTextColor(QRgb c) { return record(24, {std::int32_t(colorRef(c))}); }
    EmfWriter& saveDC() { return record(33, std::vector<std::int32_t>{}); }
    EmfWriter& restoreDC(int which) { return record(34, {which}); }
    EmfWriter& createPen(int slot, int style, int width, QRgb c) {
        return record(38, {slot, style, width, 0, std::int32_t(colorRef(c))});
    }
    EmfWriter& createBrush(int slot, int style, QRgb c, int hatch = 0) {
        return record(39, {slot, style, std::int32_t(colorRef(c)), hatch});
    }
    EmfWriter& createFont(int slot, int height, int escapement, const std::u16string& face,
                          int weight = 400) {
        Bytes b;
        b.u32(slot).i32(height).i32(0).i32(escapement).i32(escapement).i32(weight);
        b.u32(0).u32(0);
        for (int i = 0; i < 32; ++i)
            b.u16(i < static_cast<int>(face.size()) ? face[i] : 0);
        return record(82, b);
    }
    EmfWriter& select(std::uint32_t slot) { return record(37, {std::int32_t(slot)}); }
    EmfWriter& deleteObject(int slot) { return record(40, {slot}); }
    EmfWriter& rectangle(int l, int t, int r, int b) { return record(43, {l, t, r, b}); }
    EmfWriter& ellipse(int l, int t, int r, int b) { return record(42, {l, t, r, b}); }
    EmfWriter& moveTo(int x, int y) { return record(27, {x, y}); }
    EmfWriter& lineTo(int x, int y) { return record(54, {x, y}); }
    EmfWriter& intersectClip(int l, int t, int r, int b) { return record(30, {l, t, r, b}); }
    EmfWriter& worldTransform(float m11, float m12, float m21, float m22, float dx, float dy) {
        Bytes b;
        b.f32(m11).f32(m12).f32(m21).f32(m22).f32(dx).f32(dy);
        return record(35, b);
    }
    EmfWriter& poly(std::uint32_t type, const std::vector<QPoint>& points, bool small = false) {
        Bytes b;
        b.i32(0).i32(0).i32(0).i32(0).u32(static_cast<std::uint32_t>(points.size()));
        for (const QPoint& p : points) {
            if (small)
                b.i16(p.x()).i16(p.y());
            else
                b.i32(p.x()).i32(p.y());
        }
        return record(type, b);
    }
    EmfWriter& textOutW(int x, int y, const std::u16string& text, const std::vector<int>& dx = {}) {
        Bytes b;
        b.i32(0).i32(0).i32(0).i32(0).u32(1).f32(1).f32(1);
        const std::uint32_t stringOffset = 8 + 28 + 40;
        const std::uint32_t textBytes = static_cast<std::uint32_t>(text.size() * 2 + 3) & ~3u;
        b.i32(x).i32(y).u32(static_cast<std::uint32_t>(text.size())).u32(stringOffset);
        b.u32(0).i32(0).i32(0).i32(-1).i32(-1);
        b.u32(dx.empty() ? 0 : stringOffset + textBytes);
        for (const char16_t c : text)
            b.u16(c);
        b.pad(4);
        for (const int d : dx)
            b.i32(d);
        return record(84, b);
    }
    EmfWriter& stretchDiBits(int x, int y, int w, int h, int sw, int sh,
                             const std::vector<std::uint8_t>& dib, std::uint32_t rop = 0x00CC0020) {
        // the info part ends where the rows begin: 40 bytes plus the colour table
        const std::uint32_t colours = dib[32] | (dib[33] << 8);
        const std::uint32_t infoSize = 40 + colours * 4;
        const std::uint32_t fixed = 8 + 72;
        Bytes b;
        b.i32(0).i32(0).i32(0).i32(0).i32(x).i32(y).i32(0).i32(0).i32(sw).i32(sh);
        b.u32(fixed)
            .u32(infoSize)
            .u32(fixed + infoSize)
            .u32(static_cast<std::uint32_t>(dib.size()) - infoSize);
        b.u32(0).u32(rop).i32(w).i32(h).add(dib);
        return record(81, b);
    }

    // frame in hundredths of a millimetre; the reference device has devicePx
    // pixels over deviceMm millimetres.
    std::vector<std::uint8_t> build(QRect frame = QRect(0, 0, 10000, 10000),
                                    QSize devicePx = QSize(1000, 1000),
                                    QSize deviceMm = QSize(100, 100)) const {
        Bytes out;
        const double pxPerMm = double(devicePx.width()) / deviceMm.width();
        const auto px = [&](int mm100) { return static_cast<int>(mm100 / 100.0 * pxPerMm); };
        out.u32(1).u32(88);
        out.i32(px(frame.left())).i32(px(frame.top()));
        out.i32(px(frame.left() + frame.width()) - 1).i32(px(frame.top() + frame.height()) - 1);
        out.i32(frame.left()).i32(frame.top());
        out.i32(frame.left() + frame.width()).i32(frame.top() + frame.height());
        out.u32(0x464D4520).u32(0x10000);
        const std::size_t totalAt = out.size();
        out.u32(0).u32(count_ + 2).u16(16).u16(0).u32(0).u32(0).u32(0);
        out.i32(devicePx.width())
            .i32(devicePx.height())
            .i32(deviceMm.width())
            .i32(deviceMm.height());
        out.add(records_);
        out.u32(14).u32(20).u32(0).u32(16).u32(20); // end record
        out.patch32(totalAt, static_cast<std::uint32_t>(out.size()));
        return out.data();
    }

private:
    Bytes records_;
    std::uint32_t count_ = 0;
};

} // namespace vltest
