#include "designer/dictionary/DataFieldMime.h"

#include "engine/script/CodePage.h"

namespace vl {

std::unique_ptr<QMimeData> CreateDataFieldMimeData(std::string_view reference) {
    auto data = std::make_unique<QMimeData>();
    data->setData(QLatin1String(kDataFieldMimeType),
                  QByteArray(reference.data(), static_cast<qsizetype>(reference.size())));
    // Other programs receive the text the drop would show.
    data->setText(QLatin1Char('[') + ToQt(reference) + QLatin1Char(']'));
    return data;
}

std::optional<std::string> DataFieldFromMimeData(const QMimeData& data) {
    const QString type = QLatin1String(kDataFieldMimeType);
    if (!data.hasFormat(type)) return std::nullopt;
    const QByteArray bytes = data.data(type);
    if (bytes.isEmpty()) return std::nullopt;
    return bytes.toStdString();
}

} // namespace vl
