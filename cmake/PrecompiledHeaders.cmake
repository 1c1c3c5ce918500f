# Qt's headers dominate compile time; every target precompiles the common set.
set(VELLUM_PCH_HEADERS
  <QString> <QByteArray> <QImage> <QPainter> <QColor> <QFont> <QRectF> <QDateTime> <QLocale>
  <algorithm> <cstdint> <functional> <map> <memory> <string> <string_view> <vector>)

function(vellum_use_pch target)
  target_precompile_headers(${target} PRIVATE ${VELLUM_PCH_HEADERS} ${ARGN})
endfunction()
