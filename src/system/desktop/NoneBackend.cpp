#include "system/desktop/NoneBackend.h"

namespace desktop {

QString NoneBackend::name() const {
    return QStringLiteral("none");
}

std::optional<QString> NoneBackend::liveWallpaper() {
    return std::nullopt;
}

std::optional<bool> NoneBackend::liveTiled() {
    return std::nullopt;
}

ApplyResult NoneBackend::apply(const QString& /*path*/, bool /*tiled*/) {
    return {true, {}};
}

}  // namespace desktop
