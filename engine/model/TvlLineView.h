#pragma once

#include "engine/model/TvlView.h"

namespace vl {

// A horizontal or vertical line: a frame with one side (vlftTop or
// vlftLeft). Its orientation follows its shape at every Draw.
class TvlLineView : public TvlStretcheable {
public:
    TvlLineView();
    std::string className() const override { return "TvlLineView"; }

    void RegisterProperties() override;
    void Draw(const TvlDrawContext& context) override;
    void WriteXml(Stream& stream) override;
    QRegion CreateClipRegion(bool extended) override;

    int CalcHeight() override { return Height; }
    int MinimumHeight() override { return 1; }
    int LeftoverHeight() override { return 0; }
};

} // namespace vl
