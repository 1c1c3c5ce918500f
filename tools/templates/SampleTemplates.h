#pragma once

#include <QString>
#include <QStringList>

namespace templates {

// Writes the sample report templates into folder/TaskList and
// folder/Contacts (created when missing) and returns the paths written.
// Throws VlError when a file cannot be written.
QStringList WriteSampleTemplates(const QString& folder);

} // namespace templates
