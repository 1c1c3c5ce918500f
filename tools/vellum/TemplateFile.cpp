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
    try {
        if (!report.LoadFromFile(path))
            throw vl::VlError("no template file \"" + vl::FromQt(path) + "\"");
    } catch (const vl::UnsupportedTemplateError& e) {
        return e.cause().empty() ? std::string(e.what()) : e.what() + std::string(": ") + e.cause();
    } catch (const vl::ClassNotFoundError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

} // namespace vellum_cli
