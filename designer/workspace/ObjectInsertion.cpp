#include "designer/workspace/ObjectInsertion.h"

#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/NewObjectSettings.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "engine/script/TextUtils.h"

#include <algorithm>
#include <cctype>

namespace vl {

QSize DefaultMemoSize(int gridSize, int fontSize) {
    const bool coarse = gridSize == 18;
    int height = coarse ? 18 : 20;
    if (fontSize >= 12 && fontSize <= 13) height = 20;
    if (fontSize >= 14 && fontSize <= 16) height = 24;
    return {coarse ? 108 : 96, height};
}

int TopWithinBand(const TvlPage& page, int top, int height) {
    for (const auto& view : page.Objects) {
        const auto* band = dynamic_cast<const TvlBandView*>(view.get());
        if (!band || top < band->Top || top >= band->Top + band->Height) continue;
        return std::max(band->Top, std::min(top, band->Top + band->Height - height));
    }
    return top;
}

std::string BandBaseName(std::string_view title) {
    std::string name(title);
    const auto space = name.find(' ');
    if (space == std::string::npos) return name;
    name.erase(space, 1);
    if (space < name.size())
        name[space] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[space])));
    return name;
}

std::unique_ptr<TvlView> CreateForTool(TvlModelContext& engine, int tool, int bandType) {
    if (tool >= dtAddInBase) {
        const TvlAddInEntry* entry = engine.views().addIns.at(static_cast<std::size_t>(tool - 10));
        return entry ? CreateObject(engine, otAddIn, entry->className) : nullptr;
    }
    if (tool < dtText || tool > dtLine) return nullptr;
    auto view = CreateObject(engine, tool);
    if (auto* band = dynamic_cast<TvlBandView*>(view.get())) {
        band->FrameTyp = static_cast<std::uint16_t>(bandType);
        band->BaseName = BandBaseName(TvlBandView::BandTitle(bandType));
    }
    return view;
}

void ApplyNewObjectSettings(TvlView& view, const TvlNewObjectSettings& s) {
    view.FrameWidth = s.frameWidth;
    view.FrameColor = static_cast<TvlColor>(s.frameColor);
    view.FillColor = static_cast<TvlColor>(s.fillColor);
    auto* memo = dynamic_cast<TvlMemoView*>(&view);
    if (!memo) return;
    memo->FrameTyp = s.frameSides;
    memo->Font.name = s.fontName;
    memo->Font.size = s.fontSize;
    memo->Font.style = s.fontStyle;
    memo->Font.color = static_cast<TvlColor>(s.fontColor);
    memo->Font.charset = s.charset;
    memo->Alignment = s.alignment;
}

} // namespace vl
