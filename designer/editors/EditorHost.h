#pragma once

namespace vl {

class TvlDataDictionary;
class TvlViewPage;
struct TvlChooserMemory;

// What the designer's text and band editors need of the designer window:
// undo snapshots around their changes, the dictionary of the report being
// designed and the page on the surface. The designer window implements it.
class TvlEditorHost {
public:
    virtual ~TvlEditorHost() = default;
    // Records the selected objects for undo before an editor changes them.
    virtual void beforeChange() = 0;
    // Redraws the changed objects and refills the inspector.
    virtual void afterChange() = 0;
    // The data dictionary of the report being designed.
    virtual TvlDataDictionary& dictionary() = 0;
    // The page shown on the surface, or none.
    virtual TvlViewPage* currentPage() = 0;
    // What the choosers remember in the designer session.
    virtual TvlChooserMemory& chooserMemory() = 0;
};

} // namespace vl
