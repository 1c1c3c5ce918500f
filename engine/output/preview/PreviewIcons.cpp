#include "engine/output/preview/PreviewIcons.h"

namespace vl {

QIcon PreviewIcon(const QString& themeName) {
    if (themeName.isEmpty()) return {};
    const QIcon own(QStringLiteral(":/vellum/preview/") + themeName + QStringLiteral(".svg"));
    return QIcon::fromTheme(themeName, own);
}

} // namespace vl
