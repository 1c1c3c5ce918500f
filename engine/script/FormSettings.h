#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace vl {

// The per-user settings of a window of the program: organization "Vellum",
// application the program's title, group "Form/" + the window's class name.
// Every window that remembers its place or its options opens them here, so
// that the function exists once however many window libraries a program
// links.
std::unique_ptr<QSettings> OpenFormSettings(const QString& className);

} // namespace vl
