#pragma once

#include <QSize>
#include <memory>
#include <string>
#include <string_view>

namespace vl {

class TvlPage;
class TvlView;
struct TvlNewObjectSettings;
class TvlModelContext;

// The size a text object gets from a click without extent, for the grid
// size and the current font size.
QSize DefaultMemoSize(int gridSize, int fontSize);

// The top of an object of height inserted by a click at top: when top lies
// in a band, the object stays within that band (its bottom not below the
// band's, its top not above the band's), so that it prints with the band;
// elsewhere top itself.
int TopWithinBand(const TvlPage& page, int top, int height);

// A band's base name from its title: the first space dropped and the
// letter after it upper-cased ("Master data" gives "MasterData").
std::string BandBaseName(std::string_view title);

// The object an insert tool of the "Objects" toolbar makes: text, picture,
// sub-report, line, or the add-in class at registry index tool - 10; a
// band of bandType for the band tool. None for an unknown tool.
std::unique_ptr<TvlView> CreateForTool(TvlModelContext& engine, int tool, int bandType = 0);

// Frame and fill (and for text objects frame sides, font and alignment)
// from the designer's current formatting.
void ApplyNewObjectSettings(TvlView& view, const TvlNewObjectSettings& settings);

} // namespace vl
