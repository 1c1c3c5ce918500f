#pragma once

#include "engine/script/StreamIO.h"

#include <cstdint>

namespace vl {

// First byte of every object record: which class the record belongs to.
enum TvlObjectType : std::uint8_t {
    otMemo = 0,
    otPicture = 1,
    otBand = 2,
    otSubReport = 3,
    otLine = 4,
    otAddIn = 10,
};

// Which record layout SaveToStream/LoadFromStream use.
enum TvlWriteMode : std::uint8_t { wmTemplate = 0, wmPrepared = 1 };

enum TvlRenderMode : std::uint8_t { rmDesign = 0, rmOutput = 1 };

// Flags bits shared by every view; bits 1-8 belong to the classes.
enum TvlViewFlag : std::uint16_t {
    flStretched = 0x0001,
    ofOnePerPage = 0x2000,
    ofNoUndo = 0x4000,
    ofWantsHook = 0x8000,
};

// Frame sides (any sum).
enum TvlFrameSide : std::uint16_t {
    vlftNone = 0,
    vlftRight = 1,
    vlftBottom = 2,
    vlftLeft = 4,
    vlftTop = 8,
};

enum TvlFrameStyle : std::uint16_t {
    psSolid = 0,
    psDash = 1,
    psDot = 2,
    psDashDot = 3,
    psDashDotDot = 4,
    psDouble = 5,
};

enum TvlBandAlign : std::uint8_t {
    baNone = 0,
    baLeft = 1,
    baRight = 2,
    baCenter = 3,
    baWidth = 4,
    baBottom = 5,
    baTop = 6,
    baRest = 7,
};

// Designer locks.
enum TvlRestriction : std::uint16_t {
    rsNoEditMemo = 1,
    rsNoEditScript = 2,
    rsNoEditContents = 4,
    rsNoModify = 8,
    rsNoResize = 16,
    rsNoMove = 32,
    rsNoDelete = 64,
};

// How the object inspector shows a property; 0 hides it.
enum TvlPropKind : std::uint16_t {
    pkHidden = 0,
    pkText = 1,
    pkInteger = 2,
    pkFloat = 4,
    pkBoolean = 8,
    pkColor = 16,
    pkEnum = 32,
    pkEditor = 64,
    pkSize = 128,
    pkSingle = 256,
};

// The cross bands (cross header, data, footer) are vertical strips.
constexpr bool IsCrossBandType(int bandType) {
    return bandType >= 18 && bandType <= 20;
}

// A rectangle as the drawing code computes it: right and bottom exclusive.
struct TvlRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool operator==(const TvlRect&) const = default;
};

} // namespace vl
