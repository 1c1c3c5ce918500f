#include "designer/window/ObjectMenu.h"

#include "engine/script/CodePage.h"

#include <QMenu>

namespace vl {

void TvlObjectMenu::addSeparator() {
    menu_.addSeparator();
}

void TvlObjectMenu::addItem(const std::string& caption, bool checked, bool enabled,
                            std::function<void()> action) {
    QAction* entry = menu_.addAction(ToQt(caption));
    entry->setCheckable(checked);
    entry->setChecked(checked);
    entry->setEnabled(enabled);
    if (action) QObject::connect(entry, &QAction::triggered, &menu_, std::move(action));
}

} // namespace vl
