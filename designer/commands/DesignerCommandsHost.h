#pragma once

#include <QSize>
#include <string>

class QWidget;

namespace vl {

class TvlDesignerHost;
struct TvlDesignerOptions;
struct TvlDesignerSettings;

// What the file, page and option commands need of the designer window
// beyond the page surface's host: the document, the page tabs, the undo
// lists, the fields window and the surface's drawing.
class TvlDesignerCommandsHost {
public:
    virtual ~TvlDesignerCommandsHost() = default;

    // The report, current page, selection, settings, unselectAll,
    // selectionChanged, setModified and takeSnapshot.
    virtual TvlDesignerHost& designer() = 0;
    virtual TvlDesignerOptions& options() = 0;
    // The parent of the commands' dialogs (none in tests).
    virtual QWidget* dialogParent() = 0;

    // The file the report was read from or saved to ("Untitled" for none).
    virtual std::string documentName() const = 0;
    virtual void setDocumentName(const std::string& name) = 0;
    virtual bool modified() const = 0;

    // Rebuilds the tab row when the page count changed, shows the page and
    // selects its tab.
    virtual void selectPage(int index) = 0;
    // Empties the undo and redo lists.
    virtual void clearUndo() = 0;
    // The database fields window, when shown, lists the dictionary anew.
    virtual void refreshFields() = 0;

    // The surface: suspend and resume drawing and input, repaint it, and
    // sort its bands and recompute the selection box after objects were
    // added; the size a text object takes when inserted without extent.
    virtual void setDrawingSuspended(bool suspended) = 0;
    virtual void redrawPage() = 0;
    virtual void layoutSelection() = 0;
    virtual QSize defaultMemoSize() const = 0;

    // Takes changed designer options (grid, units, buttons, editor class).
    virtual void applySettings(const TvlDesignerSettings& settings) = 0;
    // Around Preview: before, the inspector hides its properties; after
    // (also when the build failed), the designer takes the focus back,
    // shows its properties, re-installs its editor services and the
    // default cursor.
    virtual void enterPreview() = 0;
    virtual void leavePreview() = 0;
};

} // namespace vl
