#include "engine/script/FormSettings.h"

#include <QCoreApplication>
#include <QSettings>

namespace vl {

std::unique_ptr<QSettings> OpenFormSettings(const QString& className) {
    auto settings =
        std::make_unique<QSettings>(QStringLiteral("Vellum"), QCoreApplication::applicationName());
    settings->beginGroup(QStringLiteral("Form/") + className);
    return settings;
}

} // namespace vl
