#include "designer/editing/TvlAlignmentPalette.h"

#include "designer/editing/FormatIcons.h"
#include "designer/editing/TvlDesignerEditing.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QAction>
#include <QToolBar>

namespace vl {

namespace {

// Align1 "Align left edges" is text 53138, up to Align10 "Align bottoms".
constexpr int kFirstHint = 53138;
// The palette's order: Align1-Align5 (horizontal), then Align6-Align10.
constexpr int kOrder[] = {1, 2, 3, 4, 5, 0, 6, 7, 8, 9, 10};

} // namespace

TvlAlignmentPalette::TvlAlignmentPalette(TvlDesignerEditing& editing, QObject* parent)
    : QObject(parent), editing_(editing) {}

void TvlAlignmentPalette::populate(QToolBar* bar) {
    for (int command : kOrder) {
        if (command == 0) {
            bar->addSeparator();
            continue;
        }
        const QString name = QStringLiteral("Align%1").arg(command);
        QAction* action =
            bar->addAction(FormatIcon(name), ToQt(LoadResString(kFirstHint + command - 1)));
        action->setObjectName(name);
        action->setToolTip(action->text());
        if (QWidget* button = bar->widgetForAction(action)) {
            button->setObjectName(name);
            button->setFocusPolicy(Qt::NoFocus);
        }
        connect(action, &QAction::triggered, this, [this, command] { editing_.Align(command); });
        actions_[command - 1] = action;
    }
}

QAction* TvlAlignmentPalette::action(int command) const {
    return command >= 1 && command <= 10 ? actions_[command - 1] : nullptr;
}

} // namespace vl
