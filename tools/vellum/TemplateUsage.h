#pragma once

#include <QString>
#include <QStringList>

namespace vl {
class TvlReport;
}

namespace vellum_cli {

// The names a loaded template refers to: the data sources its bands walk
// and the data sets its texts, scripts and dictionary variables read
// fields of ("Orders."Total"", FIELDISNULL('Orders.Note')).
class TemplateUsage {
public:
    explicit TemplateUsage(const vl::TvlReport& report);

    // The names of the bands' data sources, each once (case ignored);
    // numbers (virtual sources) and dotted paths into other containers are
    // left out.
    const QStringList& dataSources() const { return dataSources_; }
    // Whether the template names this data set (case ignored): as a band's
    // data source or before the dot of a field reference.
    bool uses(const QString& name) const;

private:
    void addDataSource(const std::string& text);
    void addTexts(const std::vector<std::string>& lines);

    QStringList dataSources_;
    QString texts_;
};

} // namespace vellum_cli
