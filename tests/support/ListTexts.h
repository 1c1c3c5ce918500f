#pragma once

#include <QListWidget>
#include <QStringList>

namespace vl::test {

// The texts of a list's items, top to bottom; none without a list.
inline QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace vl::test
