#include "system/profile/SettingsFile.h"

#include "system/Module1.h"
#include "system/Numeric.h"
#include "system/profile/PrivateProfile.h"
#include "system/profile/ProfileEncoding.h"
#include "toolkit/Rounding.h"

#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <array>

namespace sys {

namespace {

bool canWriteInto(const QString& dir) {
    return QFileInfo(dir).isDir() && ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
}

}  // namespace

QString settingsFilePath(const QString& programDir) {
    if (!programDir.isEmpty()) {
        const QString portable =
            programDir + (programDir.endsWith(u'/') ? "" : "/") + QLatin1String(kIniFileName);
        if (QFileInfo::exists(portable) || canWriteInto(programDir)) {
            return portable;
        }
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tessaryn/" +
           QLatin1String(kIniFileName);
}

}  // namespace sys

namespace Module1 {

QString GetIniString(const QString& section, const QString& key) {
    std::array<char, 1024> buffer{};
    sys::GetPrivateProfileStringA(section.toLocal8Bit().constData(), key.toLocal8Bit().constData(),
                                  "", buffer.data(), static_cast<uint32_t>(buffer.size()),
                                  QFile::encodeName(strIniFile).constData());
    // A file carried over from Windows holds its values in a Windows code page.
    return sys::profile::decodeValue(QByteArrayView(
        buffer.data(), static_cast<qsizetype>(qstrnlen(buffer.data(), buffer.size()))));
}

int32_t GetIniLong(const QString& section, const QString& key) {
    int32_t result = -1;
    if (const std::optional<double> number = sys::numericValue(GetIniString(section, key))) {
        try {
            result = tk::CLng(*number);
        } catch (const tk::OverflowError&) {
            // outside the 32-bit range: reads as missing
        }
    }
    return result;
}

}  // namespace Module1
