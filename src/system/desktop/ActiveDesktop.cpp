// The backend in use for this run, "none" until another is installed.

#include <mutex>

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/NoneBackend.h"

namespace desktop {

namespace {

std::mutex activeMutex;

std::unique_ptr<DesktopBackend>& active() {
    static std::unique_ptr<DesktopBackend> backend = std::make_unique<NoneBackend>();
    return backend;
}

}  // namespace

DesktopBackend& activeDesktop() {
    const std::lock_guard lock(activeMutex);
    return *active();
}

void setActiveDesktop(std::unique_ptr<DesktopBackend> backend) {
    const std::lock_guard lock(activeMutex);
    active() = backend ? std::move(backend) : std::make_unique<NoneBackend>();
}

}  // namespace desktop
