#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace vl {

// The settings of a window of the engine: organization "Vellum",
// application the program's title, group "Form/" + the window's class name.
std::unique_ptr<QSettings> OpenFormSettings(const QString& className);

} // namespace vl
