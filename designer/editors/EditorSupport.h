#pragma once

#include "engine/script/FormSettings.h"
#include "engine/script/StreamIO.h"

#include <QIcon>
#include <QString>
#include <memory>

class QSettings;
class QWidget;

namespace vl {

// Modal results as the designer passes them on.
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// The engine text of an id, for showing.
QString ResText(int id);

// Lines of engine text as the text of an edit box, and back (a box's text
// always has at least one line).
QString LinesToPaneText(const StringList& lines);
StringList PaneTextToLines(const QString& text);

// A theme icon, or the project's own picture of that name when the theme
// has none.
QIcon EditorIcon(const QString& themeName, const QString& ownName);

// A transparent icon of the list icons' size, so that texts without a
// picture line up with those that have one.
QIcon BlankListIcon();

// The designer window's class, whose settings section holds the editor fonts.
inline constexpr const char* kDesignerFormClass = "TvlDesignerForm";

// Reads and writes "XPosition", "YPosition", "Width", "Height" and
// "Maximized" of a dialog. A stored size that does not fit any screen is
// ignored; without a stored "Maximized" the dialog opens maximized when
// maximizedByDefault is set.
void RestoreFormBounds(QWidget& form, const QString& formClass, bool maximizedByDefault);
void SaveFormBounds(const QWidget& form, const QString& formClass);

} // namespace vl
