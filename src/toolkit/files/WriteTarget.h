#pragma once
// Where a write to a path lands. Every file the program writes is replaced
// as a whole (a temporary file beside it, renamed over it); a symbolic link
// is followed, so that the file it names gets the new content and the link
// stays (a settings file that a dotfile manager links keeps working). Only a
// regular file, or a name where nothing is yet, is replaced: a device, FIFO,
// socket or folder is refused and left as it is.

#include <QString>

namespace files {

struct WriteTarget {
    QString path;         // absolute, no symbolic link at its end
    QString error;        // why nothing may be written there; empty when it may
    bool exists = false;  // a regular file is there now
    bool ok() const { return error.isEmpty(); }
};

WriteTarget resolveWriteTarget(const QString& path);

}  // namespace files
