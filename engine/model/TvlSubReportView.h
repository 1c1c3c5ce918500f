#pragma once

#include "engine/model/TvlView.h"

namespace vl {

// A frame that prints another page of the template in its place.
class TvlSubReportView : public TvlView {
public:
    TvlSubReportView();
    std::string className() const override { return "TvlSubReportView"; }

    void Draw(const TvlDrawContext& context) override;
    void LoadFromStream(Stream& stream) override;
    void SaveToStream(Stream& stream) override;
    void WriteXml(Stream& stream) override;

    std::int32_t SubPage = 0; // zero-based index of the page printed here
};

} // namespace vl
