#include "tools/vellum/TemplateFile.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/script/CodePage.h"
#include "engine/script/UiService.h"

namespace vellum_cli {

namespace {

// Answers the password dialog with the text given on the command line.
class GivenPassword : public vl::HeadlessUiService {
public:
    explicit GivenPassword(std::string password) : password_(std::move(password)) {}
    std::optional<std::string> askPassword(const std::string&, const std::string&) override {
        return password_;
    }

private:
    std::string password_;
};

} // namespace

std::optional<std::string> LoadTemplate(vl::TvlReport& report, const QString& path,
                                        const CommandArgs& args) {
    if (const auto password = args.option(QStringLiteral("password")))
        report.Engine().setUiService(std::make_unique<GivenPassword>(vl::FromQt(*password)));
    const vl::TvlLoadOutcome loaded = report.LoadFromFile(path);
    switch (loaded.kind) {
    case vl::TvlLoadOutcome::Loaded:
        return std::nullopt;
    case vl::TvlLoadOutcome::NoFile:
        throw vl::VlError("no template file \"" + vl::FromQt(path) + "\"");
    case vl::TvlLoadOutcome::WrongPassword:
        throw vl::VlError(loaded.message);
    case vl::TvlLoadOutcome::PartlyLoaded:
    case vl::TvlLoadOutcome::Unreadable:
        break;
    }
    return loaded.fullMessage();
}

void RequireTemplate(vl::TvlReport& report, const QString& path) {
    const vl::TvlLoadOutcome loaded = report.LoadFromFile(path);
    if (loaded.kind == vl::TvlLoadOutcome::NoFile)
        throw vl::VlError("template \"" + vl::FromQt(path) + "\" does not exist");
    if (!loaded) throw vl::VlError(loaded.message);
}

} // namespace vellum_cli
