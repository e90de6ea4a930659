#include "system/registry/RegString.h"

#include <algorithm>
#include <array>

#include "system/registry/RegApi.h"

namespace sys {

namespace {

constexpr int16_t kWritten = -1;
constexpr int16_t kNotWritten = 0;
constexpr uint32_t kBufferSize = 1024;

}  // namespace

QString RegGetString(reg::HKEY root, const QString& keyName, const QString& name) {
    QString result;
    reg::HKEY hKey = 0;
    const QByteArray subKey = keyName.toLocal8Bit();
    if (reg::RegOpenKeyA(root, subKey.constData(), &hKey) == reg::ERROR_SUCCESS) {
        std::array<uint8_t, kBufferSize> buffer{};
        uint32_t size = kBufferSize;
        const QByteArray valueName = name.toLocal8Bit();
        if (reg::RegQueryValueExA(hKey, valueName.constData(), nullptr, nullptr, buffer.data(),
                                  &size) == reg::ERROR_SUCCESS) {
            // The first zero byte ends the text, whatever the reported size
            // and type. Data that fills the whole buffer without one is taken
            // whole rather than cut.
            const auto end = std::find(buffer.begin(), buffer.end(), uint8_t{0});
            result = QString::fromLocal8Bit(reinterpret_cast<const char*>(buffer.data()),
                                            end - buffer.begin());
        }
        reg::RegCloseKey(hKey);
    }
    return result;
}

int16_t RegSetString(reg::HKEY root, const QString& keyName, const QString& name,
                     const QString& text) {
    int16_t result = kNotWritten;
    reg::HKEY hKey = 0;
    const QByteArray subKey = keyName.toLocal8Bit();
    if (reg::RegCreateKeyA(root, subKey.constData(), &hKey) == reg::ERROR_SUCCESS) {
        const QByteArray valueName = name.toLocal8Bit();
        QByteArray data = text.toLocal8Bit();
        data.append('\0');
        if (reg::RegSetValueExA(hKey, valueName.constData(), 0, reg::REG_SZ,
                                reinterpret_cast<const uint8_t*>(data.constData()),
                                static_cast<uint32_t>(data.size())) == reg::ERROR_SUCCESS) {
            result = kWritten;
        }
        reg::RegCloseKey(hKey);
    }
    return result;
}

}  // namespace sys
