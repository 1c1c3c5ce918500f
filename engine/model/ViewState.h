#pragma once

#include "engine/model/ViewServices.h"
#include "engine/model/ViewTypes.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace vl {

class TvlView;
class TvlPicture;

// A report object class that a host program adds to the engine.
struct TvlAddInEntry {
    std::string className;
    std::function<std::unique_ptr<TvlView>()> create;
    std::function<void(TvlView&)> editor;
    QImage buttonPicture;
    std::string hint;
};

// The add-in classes, looked up by exact class name.
class TvlAddInRegistry {
public:
    static constexpr std::size_t kMaxEntries = 64;
    // False when the registry is full or the name is taken.
    bool add(TvlAddInEntry entry);
    const TvlAddInEntry* find(std::string_view className) const;
    std::size_t size() const { return entries_.size(); }
    // The entry at a registry index (the order classes were added), or none.
    const TvlAddInEntry* at(std::size_t index) const {
        return index < entries_.size() ? &entries_[index] : nullptr;
    }
    void clear() { entries_.clear(); }

private:
    std::vector<TvlAddInEntry> entries_;
};

// The state that report objects share in the process: one template load,
// build or drawing at a time.
struct TvlViewState {
    bool building = false; // a build of the report runs
    bool noDrawing = false;
    TvlView* currentView = nullptr;
    TvlRuntimeBand* currentBand = nullptr;
    TvlViewPage* currentPage = nullptr;  // the page being built
    TvlViewPage* designerPage = nullptr; // the page open in the designer
    int templateVersion = kCurrentTemplateVersion;
    bool errorFlag = false;
    std::string errorText;
    std::int32_t sequence = 0; // last value given by CreateObject
    TvlAddInRegistry addIns;

    TvlViewHost* host = nullptr; // the report being loaded, built or drawn
    TvlExportFilter* exportFilter = nullptr;
    TvlDesignerHooks* designer = nullptr;
    QPainter* measuringCanvas = nullptr; // set while the engine's measuring canvas exists
    bool showBandTitles = true;          // the designer's band-title option

    // Picture holders handed to scripts by number.
    std::map<std::int32_t, TvlPicture*> pictureHandles;
    std::int32_t lastPictureHandle = 0;
};

} // namespace vl
