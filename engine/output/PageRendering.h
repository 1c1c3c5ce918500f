#pragma once

#include "engine/model/ViewTypes.h"

#include <QImage>
#include <QSize>
#include <QStringList>
#include <cstdint>
#include <functional>

class QPainter;

namespace vl {

class TvlEMFPages;
struct PageMetrics;
struct PreparedPage;

// The quality page images are saved with as PNG: a low zlib level. Page
// images are mostly white and shrink well anyway; the default level takes
// about 1.6 times as long for a few percent less.
inline constexpr int kPagePngQuality = 80;

// Device pixels per page pixel on a device of that resolution.
double ScaleForResolution(double dotsPerInch);
// The page's whole paper in device pixels at that scale.
QSize PaperDeviceSize(const PreparedPage& page, double scale);
// Where the page's objects are drawn on its paper, in device pixels at
// that scale: the whole paper when object coordinates are paper
// coordinates, else the printable area inside the margins (as the preview
// places it).
TvlRect PageDrawRect(const PreparedPage& page, double scale);
// The same with a scale of its own in each direction, for devices whose
// horizontal and vertical resolutions differ.
TvlRect PageDrawRect(const PreparedPage& page, double scaleX, double scaleY);
// Where a page goes on a printer's canvas, in the printer's dots from the
// top-left corner of its printable area, given the printer's geometry for
// the page's paper (device, from FillMetrics) and its resolution. When that
// geometry is the one the page was laid out with, the page fills the
// printable area inside its margins as laid out. Otherwise every object
// keeps its place on the sheet as the preview and the PDF and PNG outputs
// show it: the page is not stretched to another printable area, and a
// printer that cannot print in some strip clips there.
TvlRect PrinterPageRect(const PreparedPage& page, const PageMetrics& device, int dpiX, int dpiY);
// Draws page i into rect through the store, then releases the page's live
// objects unless the page was being shown already.
void DrawPageOnce(TvlEMFPages& pages, int i, QPainter& painter, const TvlRect& rect);
// Raises an error that says why when page i's paper at that scale takes
// more pixels than one page image may (budget, the engine's
// EngineLimits::pagePixels; zero for none): PNG files, preview and print
// rasters ask before they allocate.
void RequirePagePixels(const PreparedPage& page, int i, double scale, std::int64_t budget);
// Page i on white paper at that resolution, within the pixel budget.
QImage RenderPageImage(TvlEMFPages& pages, int i, double dotsPerInch);
// Writes every page as dir/page-1.png, page-2.png, ... at that resolution,
// creating dir when needed, and returns the paths written. Raises VlError
// when the folder cannot be made or an image cannot be written. Stops
// before the next page once stopped() says so.
QStringList SavePageImages(TvlEMFPages& pages, const QString& dir, double dotsPerInch,
                           const std::function<bool()>& stopped = {});

} // namespace vl
