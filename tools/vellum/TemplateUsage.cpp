#include "tools/vellum/TemplateUsage.h"

#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/BandType.h"
#include "engine/script/CodePage.h"

#include <QRegularExpression>

namespace vellum_cli {

namespace {

bool namesVirtualSource(const std::string& text) {
    return !text.empty() && text[0] >= '1' && text[0] <= '9';
}

} // namespace

TemplateUsage::TemplateUsage(const vl::TvlReport& report) {
    const vl::TvlPages& pages = report.Pages();
    for (int p = 0; p < pages.Count(); ++p) {
        const vl::TvlPage& page = pages[p];
        addTexts(page.Script);
        for (const auto& view : page.Objects) {
            addTexts(view->Memo);
            addTexts(view->Script);
            addTexts({view->FormatStr});
            const auto* band = dynamic_cast<const vl::TvlBandView*>(view.get());
            // A group header's text is its condition, not a data source.
            if (band && band->bandType() != vl::btGroupHeader) addDataSource(band->FormatStr);
        }
    }
    const vl::TvlVariables& variables = report.Dictionary().Variables;
    for (int i = 0; i < variables.Count(); ++i)
        addTexts({variables.GetValue(i).toString()});
}

void TemplateUsage::addDataSource(const std::string& text) {
    // Cross-tab settings hold several parts separated by semicolons.
    if (text.empty() || namesVirtualSource(text) || text.find_first_of(".;") != std::string::npos)
        return;
    const QString name = vl::ToQt(text).trimmed();
    if (!name.isEmpty() && !dataSources_.contains(name, Qt::CaseInsensitive)) dataSources_ << name;
}

void TemplateUsage::addTexts(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        texts_ += vl::ToQt(line) + QLatin1Char('\n');
}

bool TemplateUsage::uses(const QString& name) const {
    if (dataSources_.contains(name, Qt::CaseInsensitive)) return true;
    // The name as a whole word in front of a dot: a field reference.
    const QRegularExpression reference(QStringLiteral("(?<![\\w\"])") +
                                           QRegularExpression::escape(name) +
                                           QStringLiteral("\\s*\\."),
                                       QRegularExpression::CaseInsensitiveOption);
    return reference.match(texts_).hasMatch();
}

} // namespace vellum_cli
