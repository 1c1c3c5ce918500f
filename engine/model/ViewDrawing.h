#pragma once

#include "engine/model/ViewTypes.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <string>

class QPainter;

namespace vl {

// Drawing helpers shared by the views.

// A font at a point size, 96 pixels per inch.
QFont ViewFont(const char* family, int points);
// The band background: an 8 x 8 checkerboard, white where x + y is even,
// silver otherwise.
QBrush BandBackgroundBrush();
// The small picture shown in empty picture frames of the designer.
const QImage& PicturePlaceholder();
// Text whose cell's top-left corner is (x, y), clipped to clip when given.
void DrawTextAt(QPainter& painter, int x, int y, const std::string& text,
                const TvlRect* clip = nullptr);
// Text rotated by 90 degrees counter-clockwise; (x, y) is the cell's
// top-left corner after rotation (the text runs upwards from y).
void DrawRotatedTextAt(QPainter& painter, int x, int y, const std::string& text);

} // namespace vl
