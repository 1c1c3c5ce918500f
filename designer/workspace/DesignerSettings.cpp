#include "designer/workspace/DesignerSettings.h"

#include "engine/script/FormSettings.h"

#include <QSettings>

namespace vl {

namespace {

int validGrid(int size) {
    return (size == 8 || size == 18) ? size : 4;
}

} // namespace

void TvlDesignerSettings::load(const QString& formClass) {
    auto s = OpenFormSettings(formClass);
    gridSize = validGrid(s->value("GridSize", 4).toInt());
    gridAlign = s->value("GridAlign", true).toBool();
    gridShow = s->value("GridShow", true).toBool();
    units = s->value("Units", 0).toInt();
    if (units < duPixels || units > duInches) units = duPixels;
    grayButtons = s->value("GrayButtons", false).toBool();
    editAfterInsert = s->value("EditAfterInsert", true).toBool();
    selection = s->value("Selection", 1).toInt() == 0 ? 0 : 1;
    pagePosition = s->value("PagePosition", 5).toInt();
    if (pagePosition != 3 && pagePosition != 4) pagePosition = 5;
    bandTitles = s->value("BandTitles", true).toBool();
    localizedPropNames = s->value("LocalizedPropNames", false).toBool();
    unlimitedHeight = s->value("UnlimitedHeight", false).toBool();
    disableUndo = s->value("DisableUndo", false).toBool();
    syntaxHighlight = s->value("SyntaxHighlight", true).toBool();
}

void TvlDesignerSettings::save(const QString& formClass) const {
    auto s = OpenFormSettings(formClass);
    s->setValue("GridSize", gridSize);
    s->setValue("GridAlign", gridAlign);
    s->setValue("GridShow", gridShow);
    s->setValue("Units", units);
    s->setValue("GrayButtons", grayButtons);
    s->setValue("EditAfterInsert", editAfterInsert);
    s->setValue("Selection", selection);
    s->setValue("PagePosition", pagePosition);
    s->setValue("BandTitles", bandTitles);
    s->setValue("LocalizedPropNames", localizedPropNames);
    s->setValue("UnlimitedHeight", unlimitedHeight);
    s->setValue("DisableUndo", disableUndo);
    s->setValue("SyntaxHighlight", syntaxHighlight);
}

double PixelsToUnits(double pixels, int units) {
    const double mm = pixels / 18.0 * 5.0;
    switch (units) {
    case duMillimetres:
        return mm;
    case duInches:
        return mm / 25.4;
    default:
        return pixels;
    }
}

double UnitsToPixels(double value, int units) {
    switch (units) {
    case duMillimetres:
        return value * 18.0 / 5.0;
    case duInches:
        return value * 25.4 * 18.0 / 5.0;
    default:
        return value;
    }
}

} // namespace vl
