#pragma once

#include "engine/model/TvlView.h"

namespace vl {

// The design-time face of a band: a horizontal strip (a vertical one for
// the cross bands) whose settings the band engine turns into runtime bands.
// FrameTyp holds the band type, FormatStr the data source or the group
// condition, Memo the band's event text. While a report is built ParentBand
// is the runtime band made from this view.
class TvlBandView : public TvlView {
public:
    enum : std::uint16_t {
        bfStretched = 0x01,
        bfFormNewPage = 0x02,
        bfPrintIfSubsetEmpty = 0x04,
        bfBreaked = 0x08,
        bfOnFirstPage = 0x10,
        bfOnLastPage = 0x20,
        bfRepeatHeader = 0x40,
        bfPrintChildIfInvisible = 0x80,
    };
    static constexpr int kBandTypeCount = 23;

    TvlBandView();
    std::string className() const override { return "TvlBandView"; }

    int bandType() const { return FrameTyp; }
    // The band type's title from the engine's text table.
    static std::string BandTitle(int bandType);
    // Whether the inspector and the context menu offer a flag for a band type.
    static bool FlagOffered(std::uint16_t flag, int bandType);
    // A flag the designer offers as a check entry for a band of some type.
    struct OfferedFlag {
        std::uint16_t bit;
        const char* menuText;
        bool allSelected; // the entry changes every selected object
    };
    // The flags offered for bands of the type, in menu order.
    static std::vector<OfferedFlag> OfferedFlags(int bandType);

    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override;
    void RegisterProperties() override;
    void Draw(const TvlDrawContext& context) override;
    void LoadFromStream(Stream& stream) override;
    void SaveToStream(Stream& stream) override;
    void WriteXml(Stream& stream) override;
    QRegion CreateClipRegion(bool extended) override;

    std::string ChildBand;
    std::string Master;
    std::int32_t Columns = 1;
    std::int32_t ColumnWidth = 200;
    std::int32_t ColumnGap = 20;
    std::int32_t NewColumnAfter = 1;

private:
    int TitleTabWidth() const;
    TvlRect TitleTab() const;
    void DrawTitle(QPainter& p);
    // Names of the band views of the designer's page whose types are listed.
    std::string BandNames(std::initializer_list<int> types) const;
};

} // namespace vl
