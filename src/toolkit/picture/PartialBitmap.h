#pragma once
// A bitmap file's picture read only in the rows a drawing changes. The
// picture has its full size, but in memory that costs nothing until it is
// written; the rows never read go from the file to the saved copy unchanged.
// Drawing a calendar on an 8K wallpaper so reads and converts a few hundred
// of its 4320 rows instead of all of them, in a tenth of the memory.

#include <QImage>
#include <QString>

#include "toolkit/picture/BmpHeader.h"
#include "toolkit/picture/PictureFile.h"

namespace tk {

class PartialBitmap {
public:
    // Opens `path` when it is a bitmap the fast reader takes (uncompressed
    // 24- or 32-bit); otherwise isOpen() is false.
    explicit PartialBitmap(const QString& path);
    ~PartialBitmap();
    PartialBitmap(const PartialBitmap&) = delete;
    PartialBitmap& operator=(const PartialBitmap&) = delete;

    bool isOpen() const { return fd_ >= 0 && !image_.isNull(); }
    // The picture at its full size, RGB32, at the screen's resolution as
    // LoadPicture gives it; rows not read are 0.
    QImage& image() { return image_; }

    // Reads the picture's rows [first, last) into image(); with `hashed`,
    // hashes the whole file on the way (as LoadPicture's contentHash). False
    // when the file cannot be read.
    bool readRows(int first, int last, bool hashed);
    QByteArray contentHash() const { return hash_; }

    // Saves image() as SavePictureAsBitmap saves a picture: the rows read
    // from image(), the others converted straight from the file.
    SaveResult save(const QString& path) const;

private:
    int fd_ = -1;
    bmp::Layout layout_;
    uint64_t fileSize_ = 0;
    QImage image_;
    int first_ = 0;
    int last_ = 0;
    QByteArray hash_;
};

}  // namespace tk
