#pragma once

#include <QIcon>
#include <QString>

namespace vl {

// The desktop theme's icon of that freedesktop name, or the project's own
// picture of it; none for an empty name.
QIcon PreviewIcon(const QString& themeName);

} // namespace vl
