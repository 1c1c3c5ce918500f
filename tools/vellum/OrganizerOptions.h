#pragma once

#include "app/OrganizerBinding.h"
#include "app/OrganizerStore.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace vellum_cli {

class CommandArgs;

// The options of the commands that build against the organizer's data.
// --source, else the kind of folder the template lies in ("Contacts" or
// "TaskList"), else the task list as the program starts on.
quillet::DataKind sourceOption(const CommandArgs& cmd, const QString& templatePath);
// --now as a moment; none without the option.
std::optional<QDateTime> nowOption(const CommandArgs& cmd);
// The organizer's folder as a prefix of its file names, empty without one.
QString organizerFolder(const CommandArgs& cmd);
// Loads the lists as the program starts; without photos the reports are
// built all the same.
void loadOrganizer(quillet::OrganizerStore& store);

} // namespace vellum_cli
