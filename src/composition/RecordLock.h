#pragma once
// One writer of the composition at a time: the placement's finish, a refresh
// from the timer and one from the login may meet. An advisory lock on a file
// beside Tessavel.bmp; the system drops it when the holder ends, so a crash
// leaves no stale lock behind.

#include <QString>

namespace composition {

class RecordLock {
public:
    RecordLock() = default;
    ~RecordLock();
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

    // Takes the lock, waiting at most `waitMs` for another holder to let go.
    // False when it could not be had; error() then says why.
    bool acquire(int waitMs = 0);
    const QString& error() const { return error_; }
    // Lets go of the lock before the end of the scope.
    void release();

private:
    int fd_ = -1;
    QString error_;
};

}  // namespace composition
