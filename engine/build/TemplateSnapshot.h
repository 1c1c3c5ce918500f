#pragma once

#include "engine/build/TvlReportInfo.h"
#include "engine/script/Stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

class TvlPage;
class TvlReport;
class TvlView;

// The template of a report as it stood before a build. Scripts change
// objects, pages and dictionary variables while a build runs; afterwards the
// template is put back into the very same page and object instances, since
// hosts, windows and tests hold pointers into it across builds.
class TemplateSnapshot {
public:
    explicit TemplateSnapshot(TvlReport& report);
    // Puts the template back unless Restore did, also when the build is
    // left by an exception.
    ~TemplateSnapshot();
    TemplateSnapshot(const TemplateSnapshot&) = delete;
    TemplateSnapshot& operator=(const TemplateSnapshot&) = delete;

    // Puts the template back. When something added or removed pages or
    // objects during the build the whole template is read anew instead, as
    // identity cannot be kept then.
    void Restore();

private:
    struct ObjectRecord {
        TvlView* view;
        std::vector<std::uint8_t> record;
    };
    struct PageRecord {
        TvlPage* page;
        std::vector<std::uint8_t> record;
        // settings a page record does not carry
        bool visible;
        int columnWidth;
        std::vector<ObjectRecord> objects;
    };

    bool sameStructure() const;
    void restoreInPlace();
    void restoreWhole();

    TvlReport& report_;
    MemoryStream whole_;
    std::vector<PageRecord> pages_;
    std::vector<std::uint8_t> dictionary_;
    TvlReportInfo info_;
    bool twoPass_ = false;
    bool printToDefault_ = false;
    std::string printerName_;
    bool restored_ = false;
};

} // namespace vl
