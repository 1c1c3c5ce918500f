#include "tools/vellum/OrganizerOptions.h"

#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace vellum_cli {

quillet::DataKind sourceOption(const CommandArgs& cmd, const QString& templatePath) {
    if (const auto source = cmd.option(QStringLiteral("source"))) {
        if (*source == QLatin1String("tasks")) return quillet::DataKind::Tasks;
        if (*source == QLatin1String("contacts")) return quillet::DataKind::Contacts;
        throw UsageError("--source must be tasks or contacts");
    }
    const QString folder = QFileInfo(templatePath).absoluteDir().dirName();
    return folder.compare(QLatin1String("Contacts"), Qt::CaseInsensitive) == 0
               ? quillet::DataKind::Contacts
               : quillet::DataKind::Tasks;
}

std::optional<QDateTime> nowOption(const CommandArgs& cmd) {
    const auto text = cmd.option(QStringLiteral("now"));
    if (!text) return std::nullopt;
    const QDateTime now = QDateTime::fromString(*text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!now.isValid())
        throw UsageError("--now takes a moment as 'YYYY-MM-DD hh:nn:ss', not \"" +
                         vl::FromQt(*text) + "\"");
    return now;
}

QString organizerFolder(const CommandArgs& cmd) {
    auto folder = cmd.option(QStringLiteral("organizer"));
    if (!folder) return {};
    if (!QDir(*folder).exists())
        throw vl::VlError("folder \"" + vl::FromQt(*folder) + "\" does not exist");
    if (!folder->endsWith(QDir::separator()) && !folder->endsWith(QLatin1Char('/')))
        *folder += QDir::separator();
    return *folder;
}

void loadOrganizer(quillet::OrganizerStore& store) {
    try {
        store.startUp();
    } catch (const vl::VlError& e) {
        std::fprintf(stderr, "vellum: %s; photos are not shown\n",
                     vl::ToQt(e.what()).toUtf8().constData());
    }
}

} // namespace vellum_cli
