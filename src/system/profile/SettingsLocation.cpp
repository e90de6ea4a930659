#include "system/profile/SettingsLocation.h"

#include "system/AtomicWrite.h"
#include "system/XdgFolders.h"
#include "system/profile/SettingsFile.h"
#include "toolkit/files/RegularFiles.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sys {

namespace {

bool canWriteInto(const QString& dir) {
    return QFileInfo(dir).isDir() && ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
}

// The path with symbolic links resolved where it exists, else just cleaned.
QString resolved(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

bool liesUnder(const QString& dir, const QString& root) {
    return !root.isEmpty() &&
           (dir == root || dir.startsWith(root.endsWith(u'/') ? root : root + u'/'));
}

QString configHomeFile() {
    return configHome() + "/tessaryn/" + QLatin1String(kIniFileName);
}

// An installed copy's first start after an update: the settings an older
// version kept beside the program move into the configuration directory as a
// copy; the old file stays as it was.
void adoptStrayFile(const QString& stray, const QString& target) {
    if (QFileInfo::exists(target) || !QFileInfo(stray).isFile()) {
        return;
    }
    const files::FileBytes old = files::readRegularFile(stray, kMaxSettingsBytes);
    if (old.ok() && old.whole) {
        replaceFileAtomically(target, old.bytes);
    }
}

}  // namespace

InstallPlaces installPlaces() {
    return InstallPlaces{QStringLiteral(TESSARYN_INSTALL_BINDIR), QDir::homePath()};
}

bool isInstalledCopy(const QString& programDir, const InstallPlaces& places) {
    if (programDir.isEmpty()) {
        return false;
    }
    const QString dir = resolved(programDir);
    const QStringList roots{resolved(places.binDir), QStringLiteral("/usr"), QStringLiteral("/opt"),
                            places.home.isEmpty() ? QString() : resolved(places.home + "/.local")};
    for (const QString& root : roots) {
        if (liesUnder(dir, root)) {
            return true;
        }
    }
    return false;
}

QString settingsFilePath(const QString& programDir, const InstallPlaces& places) {
    const QString beside =
        programDir + (programDir.endsWith(u'/') ? "" : "/") + QLatin1String(kIniFileName);
    if (isInstalledCopy(programDir, places)) {
        const QString target = configHomeFile();
        adoptStrayFile(beside, target);
        return target;
    }
    if (!programDir.isEmpty() && (QFileInfo::exists(beside) || canWriteInto(programDir))) {
        return beside;
    }
    return configHomeFile();
}

QString settingsFilePath(const QString& programDir) {
    return settingsFilePath(programDir, installPlaces());
}

}  // namespace sys
