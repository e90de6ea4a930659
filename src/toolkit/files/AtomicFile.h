#pragma once
// Replacing a file's whole content so that readers and a crash see either the
// old file or the new one, never a part: the bytes go to a temporary file in
// the same folder, are flushed to the disk, the temporary file is renamed
// over the old one and the folder is flushed too. Every step's result is
// checked. The target is found as WriteTarget.h says (a link keeps naming the
// file that gets the new content; no device, FIFO, socket or folder is
// replaced).
//
// The temporary file is named ".<name>.<random>.tmp" and locked while it is
// written; one that no writer holds is a leftover of a writer that died (kill
// -9, a power cut), and the next write beside it removes it.

#include <sys/types.h>

#include <QByteArrayView>
#include <QString>
#include <functional>

namespace files {

class AtomicFile {
public:
    // The step that failed; the system's reason is in error().
    enum class Step { None, Target, Folder, ReadOnly, Create, Write, Flush, Close, Rename };

    struct Options {
        int mode = -1;              // the new file's mode; -1: the old file's, or a new file's
        bool makeFolder = false;    // create the folder (and its parents) when missing
        bool keepReadOnly = false;  // refuse to replace a file the user may not write
    };

    // Finds where a write to `path` lands; nothing is created yet.
    explicit AtomicFile(const QString& path);
    AtomicFile(const QString& path, Options options);
    ~AtomicFile();  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when the target is refused or no file
    // can be made.
    bool open();
    // The temporary file's descriptor while open, else -1.
    int handle() const { return fd_; }
    // Appends `bytes`; false (and Step::Write) when not all were written.
    bool write(QByteArrayView bytes);
    // Appends everything left to read from the descriptor `in`, handing each
    // piece read to `seen` as well (where given). False when reading failed
    // (the failure is marked as with fail()) or writing did.
    bool copyFrom(int in, const std::function<void(QByteArrayView)>& seen = {});
    // Whether a copyFrom() failed while reading rather than writing.
    bool readFailed() const { return readFailed_; }
    // Flushes, closes and renames the temporary file over the target.
    bool commit();
    // Marks a failure of the caller's own writing through handle(): the
    // temporary file is dropped and commit() fails.
    void fail(int error);

    Step failedStep() const { return step_; }
    int error() const { return error_; }  // errno of the failed step
    // Why the target is refused (Step::Target), as the end of a sentence.
    const QString& targetError() const { return targetError_; }
    // The system's reason for the failed step, or targetError().
    QString reason() const;
    // The file that gets the content (links resolved) and its folder.
    const QString& path() const { return path_; }
    QString folder() const;

private:
    bool failAt(Step step, int error);
    void discard();

    Options options_;
    QString path_;
    QString targetError_;
    QByteArray temporary_;
    int fd_ = -1;
    bool readFailed_ = false;
    Step step_ = Step::None;
    int error_ = 0;
};

}  // namespace files
