#pragma once

#include "engine/model/ViewServices.h"

class QMenu;

namespace vl {

// The entries an object adds to the workspace context menu, as Qt menu
// entries.
class TvlObjectMenu : public TvlMenu {
public:
    explicit TvlObjectMenu(QMenu& menu) : menu_(menu) {}
    void addSeparator() override;
    void addItem(const std::string& caption, bool checked, bool enabled,
                 std::function<void()> action) override;

private:
    QMenu& menu_;
};

} // namespace vl
