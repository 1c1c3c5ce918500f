#pragma once

#include "engine/script/StreamIO.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace vl {

class TvlReport;

// What a report skeleton file (".vlt") says about itself before its pages:
// a description and, optionally, a picture (the bytes of a BMP file).
struct TvlTemplateHeader {
    StringList Description;
    std::vector<std::uint8_t> Picture;

    // The picture decoded; a null image without one or when it is damaged.
    QImage image() const;
};

// A report skeleton file: the header, the file position of the page part,
// and the report's page part. Writing replaces an existing file only when
// the whole file was written.
void SaveTemplateFile(TvlReport& report, const QString& path, const TvlTemplateHeader& header);
// Reads the header alone, for showing the file in a list of skeletons.
// Raises VlError when the file cannot be read or is damaged.
TvlTemplateHeader ReadTemplateHeader(const QString& path);
// Replaces the report's pages, objects and dictionary by the file's.
void LoadTemplateFile(TvlReport& report, const QString& path);

} // namespace vl
