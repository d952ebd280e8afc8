#include "application_registry.h"

#include <algorithm>
#include <mutex>

namespace kelvorad::detail {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::weak_ptr<ApplicationState>> applications;
};

// The one registry of the process (the component's only global state).
Registry& registry() {
    static Registry instance;
    return instance;
}

}  // namespace

void registerApplication(const std::shared_ptr<ApplicationState>& application) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.applications, [](const auto& weak) { return weak.expired(); });
    r.applications.push_back(application);
}

std::vector<std::shared_ptr<ApplicationState>> liveApplications() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::vector<std::shared_ptr<ApplicationState>> live;
    for (const auto& weak : r.applications) {
        if (auto application = weak.lock(); application && !application->quit) {
            live.push_back(std::move(application));
        }
    }
    return live;
}

}  // namespace kelvorad::detail
