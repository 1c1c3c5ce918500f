#include "tools/vellum/OrganizerBuild.h"

#include "engine/script/CodePage.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace vellum_cli {

namespace {

// --source, else the kind of folder the template lies in ("Contacts" or
// "TaskList"), else the task list as the program starts on.
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

// The organizer's folder as a prefix of its file names, empty without one.
QString organizerFolder(const CommandArgs& cmd) {
    auto folder = cmd.option(QStringLiteral("organizer"));
    if (!folder) return {};
    if (!QDir(*folder).exists())
        throw vl::VlError("folder \"" + vl::FromQt(*folder) + "\" does not exist");
    if (!folder->endsWith(QDir::separator()) && !folder->endsWith(QLatin1Char('/')))
        *folder += QDir::separator();
    return *folder;
}

// Loads the lists as the program starts; without photos the reports are
// built all the same, as the program would show them.
void loadOrganizer(quillet::OrganizerStore& store) {
    try {
        store.startUp();
    } catch (const vl::VlError& e) {
        std::fprintf(stderr, "vellum: %s; photos are not shown\n",
                     vl::ToQt(e.what()).toUtf8().constData());
    }
}

// The engine separates the lines of its error text by carriage returns.
std::string terminalText(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) text[i] = '\n';
    return text;
}

} // namespace

OrganizerBuild::OrganizerBuild(const CommandArgs& cmd, const QString& templatePath)
    : templatePath_(templatePath), store_(organizerFolder(cmd)), organizer_(store_) {
    organizer_.setDataKind(sourceOption(cmd, templatePath));
    if (const std::optional<QDateTime> now = nowOption(cmd)) organizer_.setNow(*now);
}

void OrganizerBuild::load() {
    if (!store_.dataFolder().isEmpty()) loadOrganizer(store_);
    vl::TvlReport& report = organizer_.report();
    if (!report.LoadFromFile(templatePath_))
        throw vl::VlError("template \"" + vl::FromQt(templatePath_) + "\" does not exist");
}

bool OrganizerBuild::prepare() {
    vl::TvlReport& report = organizer_.report();
    // As the window builds a chosen template: without the progress window.
    report.ShowProgress = false;
    // The engine shows its error text in a box that nobody sees here.
    if (report.PrepareReport() && report.LastBuildError().empty()) return true;
    const std::string error = report.LastBuildError().empty()
                                  ? std::string("the build was cancelled")
                                  : terminalText(report.LastBuildError());
    std::fprintf(stderr, "vellum: %s\n", vl::ToQt(error).toUtf8().constData());
    return false;
}

} // namespace vellum_cli
