#pragma once

#include <QString>
#include <optional>
#include <string>

namespace vl {
class TvlEMFPages;
}

namespace vellum_cli {

class CommandArgs;
class CommandStop;

// The outputs that the commands showing prepared pages share.

// The pages, their paper and their objects as JSON; with totalPages the
// page count of a build comes first.
std::string PagesJson(vl::TvlEMFPages& pages, std::optional<int> totalPages = std::nullopt);
// Writes text to a file, or to standard output when target is "-".
void WriteText(const QString& target, const std::string& text);
// Draws every page into dir/page-1.png, page-2.png, ... up to a stop.
void WriteImages(vl::TvlEMFPages& pages, const QString& dir, int dpi,
                 const CommandStop* stop = nullptr);
// The PDF document of all pages.
void WritePdf(vl::TvlEMFPages& pages, const QString& path, const QString& title);
// --dpi N, 96 when absent.
int DpiOption(const CommandArgs& cmd);

} // namespace vellum_cli
