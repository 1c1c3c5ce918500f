#pragma once

#include "designer/editors/ChooserMemory.h"
#include "designer/workspace/NewObjectSettings.h"
#include "designer/workspace/ObjectSelection.h"
#include "designer/workspace/SessionHooks.h"
#include "designer/workspace/TvlUndoList.h"

#include <QByteArray>
#include <string>
#include <vector>

namespace vl {

// What the designer windows of one designer session share while it lasts:
// the clipboard of copied objects (one record per object: type code, class
// name, template record), the values new objects take, what the choosers
// and the fields window remember, the undo and redo steps, the selection,
// and the designer hooks its windows put into the report's engine. The
// program's designer (TvlDesigner) holds one for every window it opens; a
// designer window opened on its own holds its own.
struct TvlDesignerSession {
    std::vector<QByteArray> clipboard;
    TvlNewObjectSettings newObject;
    TvlChooserMemory choosers;
    // The data set chosen last in the database fields window; a new fields
    // window opens on it.
    std::string lastFieldsDataSet;
    // Steps of the window being edited; a window empties them when it
    // opens and closes, as they name its pages by number.
    TvlUndoList undo;
    TvlUndoList redo;
    // The objects selected in the window being edited.
    TvlObjectSelection selected;
    TvlSessionHooks hooks;
};

} // namespace vl
