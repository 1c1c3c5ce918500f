#pragma once

#include <cstddef>

namespace vl {

class TvlBand;

// Where bands hand over to sub-reports and cross-tabs. Without an
// installed handler, sub-report objects and cross bands are left out.
class TvlBandExtensions {
public:
    virtual ~TvlBandExtensions() = default;
    // A visible sub-report object at index firstObject of the band's
    // objects takes over the rest of the band; true when it did.
    virtual bool outputSubReports(TvlBand& band, std::size_t firstObject) = 0;
    // The cross columns of a band whose objects lie in cross bands.
    virtual void outputCross(TvlBand& band) = 0;
};

} // namespace vl
