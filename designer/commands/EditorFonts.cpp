#include "designer/commands/EditorFonts.h"

#include "engine/script/FormSettings.h"

#include <QSettings>

namespace vl {

namespace {

constexpr int kLargestSize = 400;

void readFont(const QSettings& s, const char* nameKey, const char* sizeKey, QString& name,
              int& size) {
    const QString stored = s.value(QLatin1String(nameKey)).toString();
    if (!stored.isEmpty()) name = stored;
    const int storedSize = s.value(QLatin1String(sizeKey), size).toInt();
    if (storedSize >= 1 && storedSize <= kLargestSize) size = storedSize;
}

} // namespace

void TvlEditorFonts::load() {
    const auto s = OpenFormSettings(QLatin1String(kFormClass));
    readFont(*s, "TextFontName", "TextFontSize", textName, textSize);
    readFont(*s, "ScriptFontName", "ScriptFontSize", scriptName, scriptSize);
}

void TvlEditorFonts::save() const {
    const auto s = OpenFormSettings(QLatin1String(kFormClass));
    s->setValue(QStringLiteral("TextFontName"), textName);
    s->setValue(QStringLiteral("TextFontSize"), textSize);
    s->setValue(QStringLiteral("ScriptFontName"), scriptName);
    s->setValue(QStringLiteral("ScriptFontSize"), scriptSize);
}

} // namespace vl
