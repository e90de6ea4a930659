// The backend in use for this run, "none" until another is installed.

#include <mutex>

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/NoneBackend.h"

namespace desktop {

namespace {

// The desktop this process talks to: one per process, guarded by its mutex.
struct ActiveBackend {
    std::mutex mutex;
    std::unique_ptr<DesktopBackend> backend = std::make_unique<NoneBackend>();
};

ActiveBackend& processDesktop() {
    static ActiveBackend active;
    return active;
}

}  // namespace

DesktopBackend& activeDesktop() {
    ActiveBackend& active = processDesktop();
    const std::lock_guard lock(active.mutex);
    return *active.backend;
}

void setActiveDesktop(std::unique_ptr<DesktopBackend> backend) {
    ActiveBackend& active = processDesktop();
    const std::lock_guard lock(active.mutex);
    active.backend = backend ? std::move(backend) : std::make_unique<NoneBackend>();
}

}  // namespace desktop
