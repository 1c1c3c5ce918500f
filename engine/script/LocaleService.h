#pragma once

#include <QLocale>

#include <string>
#include <string_view>

namespace vl {

// The one locale the engine formats, parses and compares with. It is the
// system's locale unless a name (such as "en_US") selects another, so that
// output can be made reproducible. Text in and out is engine text.
class LocaleService {
public:
    LocaleService();
    explicit LocaleService(const QString& name);

    void select(const QString& name);
    const QLocale& qlocale() const { return locale_; }

    char decimalSeparator() const { return decimalSeparator_; }
    std::string upperCase(std::string_view text) const;
    std::string lowerCase(std::string_view text) const;

private:
    void cache();

    QLocale locale_;
    char decimalSeparator_ = '.';
};

} // namespace vl
