#pragma once
// Reading files that a user or another program names: only a regular file is
// read. Opening a FIFO waits for a writer and a device may never end, so the
// file is opened without waiting and looked at before anything is read.

#include <sys/types.h>

#include <QByteArray>
#include <QString>

namespace files {

// Why a file of type `mode` (from stat) is not read or replaced, as the end
// of a sentence ("it is a FIFO, not a regular file"); empty for a regular
// file.
QString notRegular(mode_t mode);

// A descriptor of the regular file at `path`, open for reading (blocking
// reads, closed on exec), or -1 with `*error` set to one line: the system's
// reason, or what the file is instead. Never waits for a FIFO's writer.
int openRegularFile(const QString& path, QString* error);

struct FileBytes {
    QByteArray bytes;
    QString error;      // why nothing was read; empty on success
    bool whole = true;  // false: the file is longer than the limit
    bool ok() const { return error.isEmpty(); }
};

// The content of the regular file at `path`, at most `limit` bytes of it.
FileBytes readRegularFile(const QString& path, qint64 limit);

}  // namespace files
