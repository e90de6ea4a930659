#include "toolkit/picture/BitmapIo.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstring>
#include <future>
#include <optional>
#include <system_error>
#include <vector>

#include "toolkit/Translations.h"
#include "toolkit/Units.h"
#include "toolkit/files/AtomicFile.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PixelRows.h"

namespace tk::bitmapio {

Fd::~Fd() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool readAt(int fd, uint8_t* buffer, uint64_t size, uint64_t offset) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = 0;
            return false;
        }
        buffer += n;
        size -= static_cast<uint64_t>(n);
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

bool writeAll(int fd, const uint8_t* data, uint64_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<uint64_t>(n);
    }
    return true;
}

namespace {

struct PixelMemory {
    void* base = nullptr;
    std::size_t length = 0;
};

void releasePixels(void* info) {
    auto* memory = static_cast<PixelMemory*>(info);
    ::munmap(memory->base, memory->length);
    delete memory;
}

}  // namespace

QImage newRgb32(int width, int height, bool hugePages) {
    constexpr std::size_t kHuge = std::size_t{2} << 20;
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
    if (bytes < 4 * kHuge) {
        QImage image(width, height, QImage::Format_RGB32);
        if (!hugePages && !image.isNull()) {
            image.fill(0u);  // as mapped memory reads
        }
        return image;
    }
    // Aligned to a huge page inside a slightly larger mapping.
    const std::size_t length = bytes + kHuge;
    void* base =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) {
        return hugePages ? QImage(width, height, QImage::Format_RGB32) : QImage();
    }
    const auto start = (reinterpret_cast<std::uintptr_t>(base) + kHuge - 1) & ~(kHuge - 1);
    auto* pixels = reinterpret_cast<uchar*>(start);
    if (hugePages) {
        ::madvise(pixels, bytes, MADV_HUGEPAGE);
    }
    auto* memory = new PixelMemory{base, length};
    QImage image(pixels, width, height, bytesPerLine, QImage::Format_RGB32, releasePixels, memory);
    if (image.isNull()) {
        releasePixels(memory);
    }
    return image;
}

void setScreenResolution(QImage& image) {
    image.setDotsPerMeterX(qRound(dpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY() / 0.0254));
}

bool hashRange(int fd, ContentHasher& hasher, uint64_t from, uint64_t to) {
    std::vector<uint8_t> buffer(
        static_cast<std::size_t>(std::min<uint64_t>(kChunkBytes, to - from)));
    while (from < to) {
        const uint64_t n = std::min<uint64_t>(buffer.size(), to - from);
        if (!readAt(fd, buffer.data(), n, from)) {
            return false;
        }
        hasher.add(buffer.data(), static_cast<std::size_t>(n));
        from += n;
    }
    return true;
}

bool convertRows(int fd, const bmp::Layout& l, RowTarget image, uint64_t first, uint64_t last,
                 ContentHasher* hasher) {
    constexpr uint64_t kRowBufferBytes = 256 << 10;
    const uint64_t rowsPerChunk = std::max<uint64_t>(1, kRowBufferBytes / l.rowStride);
    std::vector<uint8_t> chunk(static_cast<std::size_t>(rowsPerChunk * l.rowStride));
    uchar* const bits = image.bits;
    const qsizetype bytesPerLine = image.bytesPerLine;
    for (uint64_t fileRow = first; fileRow < last; fileRow += rowsPerChunk) {
        const uint64_t rows = std::min(rowsPerChunk, last - fileRow);
        if (!readAt(fd, chunk.data(), rows * l.rowStride, l.pixelOffset + fileRow * l.rowStride)) {
            return false;
        }
        if (hasher != nullptr) {
            hasher->add(chunk.data(), static_cast<std::size_t>(rows * l.rowStride));
        }
        for (uint64_t k = 0; k < rows; ++k) {
            const uint64_t row = fileRow + k;
            const uint64_t imageRow = l.topDown ? row : uint64_t(l.height) - 1 - row;
            auto* out = reinterpret_cast<uint32_t*>(bits + qsizetype(imageRow) * bytesPerLine);
            const uint8_t* in = chunk.data() + k * l.rowStride;
            if (l.bitsPerPixel == 24) {
                pixels::bgr24ToRgb32(in, out, l.width);
            } else {
                pixels::bgrx32ToRgb32(in, out, l.width);
            }
        }
    }
    return true;
}

void imageRows(const QImage& source, uint64_t stride, int32_t first, int32_t last, uint8_t* out) {
    const int32_t width = source.width();
    for (int32_t fileRow = first; fileRow < last; ++fileRow, out += stride) {
        const int32_t row = source.height() - 1 - fileRow;
        pixels::rgb32ToBgr24(reinterpret_cast<const uint32_t*>(source.constScanLine(row)), out,
                             width);
        std::memset(out + 3 * uint64_t(width), 0, stride - 3 * uint64_t(width));
    }
}

namespace {

// Writes the rows `source` produces, and feeds them to `hasher` when there
// is one. For a large picture the next chunk is produced on a second thread
// while this one is written.
bool writeBitmapRows(int fd, int32_t height, uint64_t stride, const RowSource& source,
                     ContentHasher* hasher) {
    const auto rowsPerChunk = int32_t(std::max<uint64_t>(1, kChunkBytes / stride));
    struct Chunk {
        std::vector<uint8_t> bytes;
        bool ok = true;
        int err = 0;
    };
    Chunk buffers[2];
    for (auto& b : buffers) {
        b.bytes.resize(static_cast<std::size_t>(uint64_t(rowsPerChunk) * stride + 16));
    }
    const bool large = uint64_t(height) * stride >= (8u << 20);
    constexpr uint64_t kSyncStep = 4 << 20;
    uint64_t at = bmp::kFileHeaderSize + bmp::kInfoHeaderSize;  // the rows follow the header
    uint64_t synced = 0;
    std::future<void> next;
    auto produce = [&](int32_t first, int which) {
        Chunk& c = buffers[which];
        c.ok = source(first, std::min(height, first + rowsPerChunk), c.bytes.data());
        c.err = errno;
    };
    if (height > 0) {
        produce(0, 0);
    }
    for (int32_t first = 0, which = 0; first < height; first += rowsPerChunk, which ^= 1) {
        const int32_t following = first + rowsPerChunk;
        if (following < height) {
            if (large) {
                try {
                    next = std::async(std::launch::async, produce, following, which ^ 1);
                } catch (const std::system_error&) {
                    next = {};
                }
            }
        }
        const Chunk& c = buffers[which];
        const int32_t rows = std::min(height, following) - first;
        bool written = c.ok;
        int err = c.err;
        if (written && hasher != nullptr) {
            hasher->add(c.bytes.data(), static_cast<std::size_t>(uint64_t(rows) * stride));
        }
        if (written) {
            written = writeAll(fd, c.bytes.data(), uint64_t(rows) * stride);
            err = errno;
            at += uint64_t(rows) * stride;
            if (written && at - synced >= kSyncStep) {
                // The disk starts on every few MiB at once rather than on
                // all of it at the flush at the end.
                ::sync_file_range(fd, off_t(synced), off_t(at - synced), SYNC_FILE_RANGE_WRITE);
                synced = at;
            }
        }
        if (following < height) {
            if (next.valid()) {
                next.get();
            } else if (written) {
                produce(following, which ^ 1);
            }
        }
        if (!written) {
            errno = err;
            return false;
        }
    }
    return true;
}

// One line for the user on the step of the atomic write that failed.
QString whyNotWritten(const files::AtomicFile& file, const QString& path) {
    const QString where = shown(path);
    switch (file.failedStep()) {
        case files::AtomicFile::Step::Target:
            return tk::Text::tr("%1 cannot be replaced: %2").arg(where, file.reason());
        case files::AtomicFile::Step::Folder:
        case files::AtomicFile::Step::ReadOnly:
        case files::AtomicFile::Step::Create:
            return tk::Text::tr("no file can be created in %1: %2")
                .arg(shown(file.folder()), file.reason());
        case files::AtomicFile::Step::Flush:
            return tk::Text::tr("%1 could not be flushed to the disk: %2")
                .arg(where, file.reason());
        case files::AtomicFile::Step::Rename:
            return tk::Text::tr("%1 could not be replaced: %2").arg(where, file.reason());
        default:
            return tk::Text::tr("%1 could not be written: %2").arg(where, file.reason());
    }
}

}  // namespace

SaveResult writeBitmapFile(const QString& path, QSize size, QPoint dpm, const RowSource& rows,
                           bool hashed) {
    SaveResult result;
    // The replaced file keeps its permissions.
    files::AtomicFile file(path);
    if (!file.open()) {
        result.error = whyNotWritten(file, path);
        return result;
    }
    const uint64_t stride = bmp::rowStride24(size.width());
    uint8_t header[bmp::kFileHeaderSize + bmp::kInfoHeaderSize + 16] = {};
    bmp::writeHeader24(header, size.width(), size.height(), dpm.x(), dpm.y());
    std::optional<ContentHasher> hasher;
    if (hashed) {
        hasher.emplace().add(header, bmp::kFileHeaderSize + bmp::kInfoHeaderSize);
    }
    if (!writeAll(file.handle(), header, bmp::kFileHeaderSize + bmp::kInfoHeaderSize) ||
        !writeBitmapRows(file.handle(), size.height(), stride, rows, hasher ? &*hasher : nullptr)) {
        file.fail(errno);
    }
    if (!file.commit()) {
        result.error = whyNotWritten(file, path);
        return result;
    }
    if (hasher) {
        result.contentHash = hasher->hex();
    }
    result.ok = true;
    return result;
}

}  // namespace tk::bitmapio
