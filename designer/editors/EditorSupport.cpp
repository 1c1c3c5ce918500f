#include "designer/editors/EditorSupport.h"

#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace vl {

QString ResText(int id) {
    return ToQt(LoadResString(id));
}

QString LinesToPaneText(const StringList& lines) {
    QStringList out;
    for (const std::string& l : lines)
        out << ToQt(l);
    return out.join(QLatin1Char('\n'));
}

StringList PaneTextToLines(const QString& text) {
    StringList lines;
    for (const QString& l : text.split(QLatin1Char('\n')))
        lines.push_back(FromQt(l));
    return lines;
}

QIcon EditorIcon(const QString& themeName, const QString& ownName) {
    const QIcon own(QStringLiteral(":/vellum/editors/") + ownName + QStringLiteral(".svg"));
    return themeName.isEmpty() ? own : QIcon::fromTheme(themeName, own);
}

QIcon BlankListIcon() {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

namespace {

bool fitsSomeScreen(const QRect& bounds) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(bounds)) return true;
    return false;
}

} // namespace

void RestoreFormBounds(QWidget& form, const QString& formClass, bool maximizedByDefault) {
    const auto s = OpenFormSettings(formClass);
    bool ok[4] = {};
    const QRect stored(s->value(QStringLiteral("XPosition")).toInt(&ok[0]),
                       s->value(QStringLiteral("YPosition")).toInt(&ok[1]),
                       s->value(QStringLiteral("Width")).toInt(&ok[2]),
                       s->value(QStringLiteral("Height")).toInt(&ok[3]));
    const QSize least = form.minimumSizeHint();
    if (ok[0] && ok[1] && ok[2] && ok[3] && stored.width() >= least.width() &&
        stored.height() >= least.height() && stored.width() <= 16384 && stored.height() <= 16384 &&
        fitsSomeScreen(stored))
        form.setGeometry(stored);
    const bool maximized = s->value(QStringLiteral("Maximized"), maximizedByDefault).toBool();
    form.setWindowState(maximized ? (form.windowState() | Qt::WindowMaximized)
                                  : (form.windowState() & ~Qt::WindowMaximized));
}

void SaveFormBounds(const QWidget& form, const QString& formClass) {
    const auto s = OpenFormSettings(formClass);
    const QRect r = form.isMaximized() ? form.normalGeometry() : form.geometry();
    if (r.isValid()) {
        s->setValue(QStringLiteral("XPosition"), r.x());
        s->setValue(QStringLiteral("YPosition"), r.y());
        s->setValue(QStringLiteral("Width"), r.width());
        s->setValue(QStringLiteral("Height"), r.height());
    }
    s->setValue(QStringLiteral("Maximized"), form.isMaximized());
}

} // namespace vl
