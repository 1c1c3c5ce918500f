#include "engine/script/ApplicationLifetime.h"

#include <QCoreApplication>
#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace vl {

void ReleaseWithApplication(void (*release)()) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    // engine instances on other threads register too
    static std::mutex guard;
    const std::lock_guard lock(guard);
    static std::vector<std::pair<const QCoreApplication*, void (*)()>> registered;
    const std::pair entry{app, release};
    if (std::find(registered.begin(), registered.end(), entry) != registered.end()) return;
    registered.push_back(entry);
    qAddPostRoutine(release);
}

} // namespace vl
