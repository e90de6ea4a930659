#include "system/AtomicWrite.h"

#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <vector>

#include "toolkit/Translations.h"
#include "toolkit/files/AtomicFile.h"
#include "toolkit/files/RegularFiles.h"

namespace sys {

namespace {

using files::AtomicFile;

// Why `file` failed, as a user reads it.
QString failure(const AtomicFile& file) {
    switch (file.failedStep()) {
        case AtomicFile::Step::Folder:
            return tk::Text::tr("the folder %1 cannot be made").arg(file.folder());
        case AtomicFile::Step::ReadOnly:
            return tk::Text::tr("the file is read-only");
        case AtomicFile::Step::Create:
            return tk::Text::tr("no file can be made in %1: %2").arg(file.folder(), file.reason());
        default:
            return file.reason();
    }
}

// An existing file keeps its permissions unless `mode` is given.
AtomicFile::Options replacing(int mode = -1) {
    return AtomicFile::Options{.mode = mode, .makeFolder = true, .keepReadOnly = true};
}

}  // namespace

bool replaceFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
    AtomicFile file(path, replacing());
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (error != nullptr) {
        *error = ok ? QString() : failure(file);
    }
    return ok;
}

QString copyFileAtomically(const QString& from, const QString& to) {
    QString error;
    const int in = files::openRegularFile(from, &error);
    if (in < 0) {
        return tk::Text::tr("%1 cannot be read: %2").arg(from, error);
    }
    AtomicFile file(to, replacing(0644));
    if (file.open() && file.copyFrom(in)) {
        file.commit();
    }
    ::close(in);
    if (file.failedStep() == AtomicFile::Step::None) {
        return {};
    }
    if (file.readFailed()) {
        return tk::Text::tr("%1 cannot be read: %2").arg(from, failure(file));
    }
    return tk::Text::tr("%1 was not written: %2").arg(to, failure(file));
}

}  // namespace sys
