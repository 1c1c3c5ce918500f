#include "engine/output/preview/PreviewTexts.h"

#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

namespace vl {

QString ResourceText(int id) {
    return ToQt(LoadResString(id));
}

QString PlainText(int id) {
    QString text = ResourceText(id);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text;
}

} // namespace vl
