#include "designer/commands/FieldBlockInserter.h"

#include "designer/workspace/NewObjectSettings.h"
#include "engine/build/TvlDBDataSet.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/MeasuringCanvas.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "engine/script/DataFieldRef.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlTable.h"

#include <cmath>

namespace vl {

namespace {

constexpr int kPageHeaderBand = 2;
constexpr int kMasterDataBand = 5;
constexpr int kBoldStyle = 2;
constexpr int kMaxDisplayWidth = 256;

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// The component's name as lists show it: bare when the report's owner owns
// it, else with its owner's name in front.
std::string PathName(const TvlComponent& component, const TvlComponent* reportOwner) {
    const TvlComponent* owner = component.owner();
    if (!owner || owner == reportOwner) return component.name();
    return owner->name() + "." + component.name();
}

template <typename F> void ForEachComponent(const ComponentDirectory& directory, F&& visit) {
    for (const TvlComponent* container : directory.containers())
        for (TvlComponent* component : container->components())
            visit(*component);
}

const TvlTable* FindTable(const TvlReport& report, const std::string& listed) {
    const TvlDataDictionary& dictionary = report.Dictionary();
    for (const std::string& name : {listed, dictionary.RealDataSetName(listed)}) {
        try {
            auto* found = FindComponentByPath(report.dictionaryComponents(), report.owner(), name);
            if (auto* table = dynamic_cast<const TvlTable*>(found)) return table;
        } catch (const VlError&) {
        }
    }
    return nullptr;
}

} // namespace

TvlFieldBlockInserter::TvlFieldBlockInserter(TvlReport& report, TvlPage& page, int gridSize,
                                             QSize memoSize, const TvlNewObjectSettings& font)
    : report_(report), page_(page), grid_(std::max(1, gridSize)), memoSize_(memoSize), font_(font) {
}

TvlFieldBlockInserter::Field TvlFieldBlockInserter::describe(const std::string& dataSet,
                                                             const std::string& listed) const {
    Field field;
    field.reference = "[" + dataSet + ".\"" + listed + "\"]";
    field.caption = listed;
    const TvlTable* table = FindTable(report_, dataSet);
    if (!table) return field;
    const TvlField* found = table->FindField(listed);
    if (!found)
        found = table->FindField(
            RemoveQuotes(report_.Dictionary().RealFieldName(dataSet + "." + listed)));
    if (!found) return field;
    if (found->DisplayWidth > 0 && found->DisplayWidth < kMaxDisplayWidth)
        field.chars = found->DisplayWidth;
    field.caption = found->DisplayLabel.empty() ? found->name() : found->DisplayLabel;
    return field;
}

TvlView& TvlFieldBlockInserter::addMemo(int x, int y, const std::string& text, bool bold) {
    auto memo = std::make_unique<TvlMemoView>();
    memo->Font.name = font_.fontName;
    memo->Font.size = font_.fontSize;
    memo->Font.style = bold ? kBoldStyle : 0;
    memo->Font.charset = font_.charset;
    memo->SetBounds(x, y, memoSize_.width(), memoSize_.height());
    memo->Memo = {text};
    TvlView& view = page_.AddObject(std::move(memo));
    view.MakeUniqueName();
    made_.push_back(&view);
    return view;
}

int TvlFieldBlockInserter::textWidth(const TvlView& memo, const std::string& text) const {
    const TvlFont& font = static_cast<const TvlMemoView&>(memo).Font;
    return RoundEven(memo.measuringCanvas().metrics(font, font.pixelHeight96()).width(text, 0));
}

int TvlFieldBlockInserter::toGrid(double width) const {
    const int w = static_cast<int>(width);
    return w - w % grid_;
}

std::vector<TvlView*> TvlFieldBlockInserter::Insert(const TvlFieldBlockChoice& choice) {
    made_.clear();
    // New names are checked against every object of the report.
    const ScopedValue host(report_.Engine().views().host, static_cast<TvlViewHost*>(&report_));
    int x = page_.LeftEdge(), y = page_.TopEdge();
    std::vector<Placed> placed;
    for (const std::string& listed : choice.fields) {
        const Field field = describe(choice.dataSet, listed);
        Placed item;
        TvlView& first =
            addMemo(x, y, choice.headers ? field.caption : field.reference, choice.headers);
        const double charWidth = textWidth(first, "=");
        if (choice.headers) {
            item.header = &first;
            first.Width = toGrid(textWidth(first, field.caption + "   "));
            const int dataX = choice.horizontal ? x : x + 2 * grid_ + first.Width;
            const int dataY = choice.horizontal ? y + kRowOffset : y;
            item.data = &addMemo(dataX, dataY, field.reference, false);
            item.data->Width = toGrid(field.chars * charWidth);
        } else {
            item.data = &first;
            first.Width = toGrid(field.chars * charWidth);
        }
        const TvlView& last = *made_.back();
        if (choice.horizontal)
            x += grid_ + last.Width;
        else
            y += grid_ + last.Height;
        placed.push_back(item);
    }
    if (choice.horizontal) squeeze(placed);
    if (choice.bands && !placed.empty()) addBands(choice, placed);
    return made_;
}

// Fits a row that runs past the usable width into it: offsets and widths
// shrink in proportion, and no header stays wider than its data object.
void TvlFieldBlockInserter::squeeze(std::vector<Placed>& placed) const {
    if (placed.empty()) return;
    const int left = page_.LeftEdge();
    const TvlView& last = *placed.back().data;
    // The row's right edge measured on the page, against the usable width.
    const double r = last.Left + last.Width;
    const double u = page_.RightEdge() - left;
    if (r <= u || u <= 0) return;
    const double factor = r / u;
    for (Placed& item : placed) {
        TvlView& data = *item.data;
        data.Left = left + RoundEven((data.Left - left) / factor);
        data.Width = RoundEven(data.Width / factor);
        if (!item.header) continue;
        TvlView& header = *item.header;
        header.Left = left + RoundEven((header.Left - left) / factor);
        if (header.Width > data.Width) header.Width = data.Width;
    }
}

void TvlFieldBlockInserter::addBands(const TvlFieldBlockChoice& choice,
                                     const std::vector<Placed>& placed) {
    const TvlView& lastObject = choice.headers ? *placed.back().header : *placed.back().data;
    const int top = page_.TopEdge();
    const int height = lastObject.Top + lastObject.Height - top;
    int dataTop = top;
    if (choice.headers && choice.horizontal) {
        if (!hasBand(kPageHeaderBand)) addBand(kPageHeaderBand, top, height);
        dataTop = top + kRowOffset;
    }
    TvlView& master = addBand(kMasterDataBand, dataTop, height);
    master.FormatStr = dataSourceOf(choice.dataSet);
}

bool TvlFieldBlockInserter::hasBand(int type) const {
    for (const auto& view : page_.Objects)
        if (const auto* band = dynamic_cast<const TvlBandView*>(view.get());
            band && band->bandType() == type)
            return true;
    return false;
}

TvlView& TvlFieldBlockInserter::addBand(int type, int top, int height) {
    auto band = std::make_unique<TvlBandView>();
    band->FrameTyp = static_cast<std::uint16_t>(type);
    band->SetBounds(0, top, page_.RightEdge(), height);
    TvlView& view = page_.AddObject(std::move(band));
    view.MakeUniqueName();
    made_.push_back(&view);
    return view;
}

// The data source a band walks for a data set: the database data source
// bound to the data set's table.
std::string TvlFieldBlockInserter::dataSourceOf(const std::string& dataSet) const {
    const TvlTable* table = FindTable(report_, dataSet);
    if (!table) return {};
    std::string found;
    ForEachComponent(report_.dictionaryComponents(), [&](const TvlComponent& component) {
        const auto* source = dynamic_cast<const TvlDBDataSet*>(&component);
        if (found.empty() && source && source->DataSet() == table)
            found = PathName(*source, report_.owner());
    });
    return found;
}

} // namespace vl
