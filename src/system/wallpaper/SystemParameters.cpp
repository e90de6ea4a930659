#include "system/wallpaper/SystemParameters.h"

#include <QDir>
#include <QFileInfo>

#include "system/Numeric.h"
#include "system/desktop/DesktopBackend.h"
#include "system/registry/Hive.h"
#include "system/registry/RegApi.h"
#include "toolkit/Rounding.h"
#include "toolkit/Translations.h"

namespace sys {

namespace {

const char kDesktopKey[] = "Control Panel\\desktop";

// The tiling the hive holds now, not the desktop's live one: the caller has
// just written what it wants.
bool storedTiling() {
    reg::Value value;
    if (reg::storedValue(reg::HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper", &value) !=
        reg::ERROR_SUCCESS) {
        return false;
    }
    const qsizetype end = value.data.indexOf('\0');
    const auto number =
        numericValue(QString::fromLocal8Bit(end < 0 ? value.data : value.data.left(end)));
    return number && tk::roundHalfEven(*number) == 1.0;
}

bool recordPath(const QByteArray& path) {
    reg::HKEY key = 0;
    int32_t r = reg::RegCreateKeyA(reg::HKEY_CURRENT_USER, kDesktopKey, &key);
    if (r == reg::ERROR_SUCCESS) {
        const QByteArray data = path + '\0';
        r = reg::RegSetValueExA(key, "Wallpaper", 0, reg::REG_SZ,
                                reinterpret_cast<const uint8_t*>(data.constData()),
                                static_cast<uint32_t>(data.size()));
        reg::RegCloseKey(key);
    }
    return r == reg::ERROR_SUCCESS;
}

int32_t failed(QString* why, const QString& reason) {
    if (why != nullptr) {
        *why = reason;
    }
    return 0;
}

}  // namespace

int32_t SystemParametersInfoA(desktop::DesktopBackend& backend, uint32_t uiAction,
                              uint32_t /*uiParam*/, void* pvParam, uint32_t fWinIni, QString* why) {
    if (why != nullptr) {
        why->clear();
    }
    if (uiAction != SPI_SETDESKWALLPAPER) {
        return failed(why, tk::Text::tr("Unsupported system parameter %1.").arg(uiAction));
    }
    const QByteArray path(pvParam != nullptr ? static_cast<const char*>(pvParam) : "");
    const QString file = QString::fromLocal8Bit(path);
    if (file.isEmpty()) {
        return failed(why, tk::Text::tr("No wallpaper file was given."));
    }
    if (!QFileInfo(file).isFile() || !QFileInfo(file).isReadable()) {
        return failed(why, tk::Text::tr("The wallpaper file %1 cannot be read.")
                               .arg(QDir::toNativeSeparators(file)));
    }
    const desktop::ApplyResult applied = backend.apply(file, storedTiling());
    if (!applied.ok) {
        return failed(
            why,
            applied.error.isEmpty()
                ? tk::Text::tr("The desktop (%1) did not accept the wallpaper.").arg(backend.name())
                : applied.error);
    }
    if ((fWinIni & SPIF_UPDATEINIFILE) != 0 && !recordPath(path)) {
        return failed(why, tk::Text::tr("The wallpaper path could not be recorded in %1.")
                               .arg(QDir::toNativeSeparators(reg::hivePath())));
    }
    if (why != nullptr) {
        *why = applied.note;
    }
    return 1;
}

}  // namespace sys
