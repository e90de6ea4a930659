#pragma once
// Replacing a file's whole content in one go (files::AtomicFile), with the
// reason for a failure as one line for the user.

#include <QByteArrayView>
#include <QString>

namespace sys {

// Writes `bytes` as the new content of `path`, creating its directory when
// missing. An existing file keeps its permissions; a symbolic link keeps
// pointing at the file it names, which gets the new content. A device, FIFO,
// socket or folder there is refused and left alone. False when any step
// fails or the existing file is read-only, with the reason in `*error` when
// given; the old file is then unchanged and no temporary file remains.
bool replaceFileAtomically(const QString& path, QByteArrayView bytes, QString* error = nullptr);

// Copies the regular file `from` over `to` in the same way; the copy gets
// mode 0644. The reason it failed, or empty.
QString copyFileAtomically(const QString& from, const QString& to);

}  // namespace sys
