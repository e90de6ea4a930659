#pragma once
// The temporary files of our atomic writes are locked (flock) while they are
// written. One that nobody holds is a leftover of a writer that died (kill -9,
// a full disk): the next write beside it removes it.

#include <QString>

namespace tk {

// Takes the lock on a freshly made temporary file; true on success.
bool lockTemporary(int fd);

// Removes the files in `dir` whose names start with `prefix` and end with
// ".tmp" that no writer holds locked.
void removeLeftoverTemporaries(const QString& dir, const QString& prefix);

}  // namespace tk
