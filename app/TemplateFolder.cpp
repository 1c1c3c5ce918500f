#include "app/TemplateFolder.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace quillet {

namespace {

const QString kExtension = QStringLiteral(".vlf");

// Every entry of the folder matching "*.vlf", files and folders alike, the
// hidden ones included (the list leaves out names beginning with a dot).
QStringList templateEntries(const QString& folder) {
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.vlf")});
    dir.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return dir.entryList();
}

} // namespace

TemplateFolder::TemplateFolder(QString programFolder) : programFolder_(std::move(programFolder)) {
    if (!programFolder_.isEmpty() && !programFolder_.endsWith(QLatin1Char('/')))
        programFolder_ += QLatin1Char('/');
}

QString TemplateFolder::kindFolder(DataSourceKind kind) {
    return kind == DataSourceKind::Contacts ? QStringLiteral("Contacts")
                                            : QStringLiteral("TaskList");
}

QString TemplateFolder::folder(DataSourceKind kind) const {
    return programFolder_ + QStringLiteral("Reports/") + kindFolder(kind) + QLatin1Char('/');
}

QString TemplateFolder::path(DataSourceKind kind, const QString& name) const {
    return folder(kind) + name + kExtension;
}

QStringList TemplateFolder::names(DataSourceKind kind) const {
    QStringList names;
    for (const QString& entry : templateEntries(folder(kind))) {
        if (entry.startsWith(QLatin1Char('.'))) continue;
        names.append(entry.section(QLatin1Char('.'), 0, 0));
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

bool TemplateFolder::exists(DataSourceKind kind, const QString& name) const {
    const QString wanted = name + kExtension;
    const QStringList entries = templateEntries(folder(kind));
    return std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
        return entry.compare(wanted, Qt::CaseInsensitive) == 0;
    });
}

bool TemplateFolder::validName(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('.') ||
               c.category() == QChar::Other_Control;
    });
}

bool TemplateFolder::duplicate(DataSourceKind kind, const QString& from, const QString& to) const {
    if (!validName(to) || exists(kind, to)) return false;
    // QFile::copy never overwrites an existing file
    return QFile::copy(path(kind, from), path(kind, to));
}

bool TemplateFolder::remove(DataSourceKind kind, const QString& name) const {
    return QFile::remove(path(kind, name));
}

} // namespace quillet
