#pragma once
// What the bitmap reader and writers share: whole reads and writes on a
// descriptor, pixel memory for large pictures, and rows converted between a
// bitmap file and an image.

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

#include "toolkit/picture/BmpHeader.h"
#include "toolkit/picture/PictureFile.h"

namespace tk {
class ContentHasher;
}

namespace tk::bitmapio {

// Rows are read and written through a buffer of about this size: small
// enough to stay in the processor's cache, large enough for few system calls.
inline constexpr uint64_t kChunkBytes = 1 << 20;

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

QString systemError(int err);
QString shown(const QString& path);

// Reads exactly `size` bytes at `offset`; false with errno set, or with
// errno 0 when the file ended first.
bool readAt(int fd, uint8_t* buffer, uint64_t size, uint64_t offset);
bool writeAll(int fd, const uint8_t* data, uint64_t size);

// An RGB32 image of its own memory. A large one is mapped: in huge pages
// when `hugePages` (a wallpaper is 100 MB and more, and in 4 KiB pages its
// first touch costs tens of thousands of page faults, more than reading the
// file), else in pages that cost nothing until they are written, for a
// picture of which only a part is ever filled. A null image when there is
// no memory for it.
QImage newRgb32(int width, int height, bool hugePages = true);

// Marks `image` as being at the screen's resolution: fonts drawn on a loaded
// picture are sized at it.
void setScreenResolution(QImage& image);

// Feeds the bytes [from, to) of the file to `hasher`; false with errno set.
bool hashRange(int fd, ContentHasher& hasher, uint64_t from, uint64_t to);

// Converts the file's rows [first, last) into `image`, whose pixels start at
// `bits`, and feeds their bytes to `hasher` when there is one. False with
// errno set (0: the file ended). Two threads may fill their own rows.
struct RowTarget {
    uchar* bits;
    qsizetype bytesPerLine;
};
bool convertRows(int fd, const bmp::Layout& l, RowTarget image, uint64_t first, uint64_t last,
                 ContentHasher* hasher);

// Produces the file rows [first, last) of a bottom-up 24-bit bitmap into
// `out`, each `stride` bytes with its padding zeroed; false with errno set.
using RowSource = std::function<bool(int32_t first, int32_t last, uint8_t* out)>;

// The file rows [first, last) of `source` (RGB32), bottom-up: file row 0 is
// the picture's last row.
void imageRows(const QImage& source, uint64_t stride, int32_t first, int32_t last, uint8_t* out);

// Writes a 24-bit bitmap of `width` x `height` at `dpm` dots per metre
// whose rows `rows` produces, replacing `path` as a whole (see
// SavePictureAsBitmap).
SaveResult writeBitmapFile(const QString& path, QSize size, QPoint dpm, const RowSource& rows,
                           bool hashed);

}  // namespace tk::bitmapio
