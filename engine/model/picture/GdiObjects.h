#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>
#include <variant>
#include <vector>

namespace vl {

// The drawing objects a metafile creates and selects, as plain values. A
// device context holds copies, so deleting an object never disturbs what is
// selected.

// LOGPEN / EXTLOGPEN.
struct GdiPen {
    enum Style {
        kSolid = 0,
        kDash,
        kDot,
        kDashDot,
        kDashDotDot,
        kNull,
        kInsideFrame,
        kUserStyle,
        kAlternate
    };
    enum : std::uint32_t {
        kStyleMask = 0x0F,
        kEndCapMask = 0x0F00,
        kJoinMask = 0xF000,
        kEndCapSquare = 0x0100,
        kEndCapFlat = 0x0200,
        kJoinBevel = 0x1000,
        kJoinMiter = 0x2000
    };
    std::uint32_t style = kSolid; // style, end cap and join bits
    double width = 0;             // logical units; 0 is one device pixel
    QColor color = Qt::black;
    std::vector<double> dashes; // user style, logical units

    int lineStyle() const { return static_cast<int>(style & kStyleMask); }
};

// LOGBRUSH; pattern brushes carry their bitmap when it could be decoded.
struct GdiBrush {
    enum Style {
        kSolid = 0,
        kNull = 1,
        kHatched = 2,
        kPattern = 3,
        kDibPattern = 5,
        kDibPatternPt = 6
    };
    enum Hatch { kHorizontal = 0, kVertical, kFDiagonal, kBDiagonal, kCross, kDiagCross };
    int style = kSolid;
    QColor color = Qt::white;
    int hatch = kHorizontal;
    QImage pattern;
};

// LOGFONT, in either width of characters.
struct GdiFont {
    int height = 0; // logical units; negative: character height, positive: cell height
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;
    QString face;
};

// A region, in logical units of the moment it was created.
struct GdiRegion {
    QPainterPath path;
};

// A palette only occupies its slot; colours are always given directly here.
struct GdiPalette {};

using GdiObject = std::variant<GdiPen, GdiBrush, GdiFont, GdiRegion, GdiPalette>;

// The object table of a playing metafile. Windows metafiles put each new
// object into the lowest free slot; enhanced metafiles name the slot. Slots
// are kept sparse, so a header claiming 65,535 objects costs nothing.
class GdiObjectTable {
public:
    static constexpr std::uint32_t kMaxSlots = 65535;

    // Lowest free slot, or -1 when every slot is taken.
    int add(GdiObject object);
    // At a given slot; false when it lies outside the table.
    bool put(std::uint32_t slot, GdiObject object);
    const GdiObject* get(std::uint32_t slot) const;
    void remove(std::uint32_t slot);
    std::size_t count() const { return objects_.size(); }

private:
    std::map<std::uint32_t, GdiObject> objects_;
    std::set<std::uint32_t> freed_; // free slots below next_
    std::uint32_t next_ = 0;
};

// The Windows code page of a LOGFONT character set; 0 when text in it is best
// read in the engine's current code page.
int CodePageForCharset(int charset);

// 8-bit text in a font's character set as Unicode.
QString DecodeAnsiText(std::string_view bytes, int charset);

} // namespace vl
