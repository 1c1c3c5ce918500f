#include "tools/vellum/CommandLine.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/CodePage.h"

#include <QLocale>
#include <cstdio>

namespace vellum_cli {

CommandArgs::CommandArgs(const QStringList& args, const QStringList& valueOptions,
                         const QStringList& flagOptions)
    : engine_(vl::Globals()) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("--")) {
            positionals_ << a;
            continue;
        }
        QString name = a.mid(2), value;
        const auto eq = name.indexOf(QLatin1Char('='));
        const bool inlineValue = eq >= 0;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        if (flagOptions.contains(name) && !inlineValue) {
            flags_ << name;
        } else if (valueOptions.contains(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size())
                    throw UsageError("option --" + vl::FromQt(name) + " needs a value");
                value = args[++i];
            }
            options_.append({name, value});
        } else {
            throw UsageError("unknown option " + vl::FromQt(a));
        }
    }
}

QString CommandArgs::positional(int i, const char* what) const {
    if (i >= positionals_.size()) throw UsageError(std::string("missing ") + what);
    return positionals_[i];
}

std::optional<QString> CommandArgs::option(const QString& name) const {
    std::optional<QString> found;
    for (const auto& [n, v] : options_)
        if (n == name) found = v;
    return found;
}

QStringList CommandArgs::options(const QString& name) const {
    QStringList found;
    for (const auto& [n, v] : options_)
        if (n == name) found << v;
    return found;
}

void SelectLocale(vl::TvlEngine& engine, const QString& name) {
    const QLocale locale(name);
    const bool isC = name == QLatin1String("C") || name == QLatin1String("POSIX");
    if (locale == QLocale::c() && !isC)
        throw UsageError("unknown locale \"" + vl::FromQt(name) + "\"");
    engine.localeService().select(name);
}

void PrintError(const std::string& message) {
    std::fprintf(stderr, "vellum: %s\n", vl::ToQt(message).toUtf8().constData());
}

} // namespace vellum_cli
