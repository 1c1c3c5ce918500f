#include "app/window/ZoomMenu.h"

#include "engine/output/preview/TvlPreview.h"

#include <array>
#include <cmath>

namespace quillet {

namespace {

struct ZoomEntry {
    const char* caption;
    int tag;
};

// In menu order; tag 0 is the separator.
constexpr std::array kEntries = {
    ZoomEntry{"&Page width", ZoomMenu::kPageWidth},
    ZoomEntry{"&Whole page", ZoomMenu::kWholePage},
    ZoomEntry{"&Two pages", ZoomMenu::kTwoPages},
    ZoomEntry{"-", 0},
    ZoomEntry{"&200%", 1},
    ZoomEntry{"&150%", 2},
    ZoomEntry{"1&00%", 3},
    ZoomEntry{"&75%", 4},
    ZoomEntry{"&50%", 5},
    ZoomEntry{"25%", 6},
    ZoomEntry{"10%", 7},
};

constexpr std::array kPercents = {200, 150, 100, 75, 50, 25, 10};

} // namespace

ZoomMenu::ZoomMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("PopupMenu"));
    for (const ZoomEntry& e : kEntries) {
        if (e.tag == 0) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QString::fromLatin1(e.caption));
        action->setData(e.tag);
    }
}

QAction* ZoomMenu::entry(int tag) const {
    for (QAction* action : actions())
        if (!action->isSeparator() && action->data().toInt() == tag) return action;
    return nullptr;
}

QString ZoomMenu::apply(int tag, vl::TvlPreview& pane) {
    switch (tag) {
    case kPageWidth:
        pane.FitPageWidth();
        return QStringLiteral("Page width");
    case kWholePage:
        pane.FitWholePage();
        return QStringLiteral("Whole page");
    case kTwoPages:
        pane.FitTwoPages();
        return QStringLiteral("Two pages");
    default:
        break;
    }
    if (tag < 1 || tag > static_cast<int>(kPercents.size())) return {};
    pane.SetZoomPercent(kPercents[static_cast<std::size_t>(tag - 1)]);
    return percentCaption(pane.ZoomPercent());
}

QString ZoomMenu::percentCaption(double percent) {
    return QString::number(static_cast<long long>(std::trunc(percent))) + QLatin1Char('%');
}

} // namespace quillet
