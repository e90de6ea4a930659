#include "toolkit/picture/PictureFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "toolkit/Translations.h"
#include "toolkit/Units.h"
#include "toolkit/files/AtomicFile.h"
#include "toolkit/files/RegularFiles.h"
#include "toolkit/picture/BackgroundXml.h"
#include "toolkit/picture/BmpHeader.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PixelRows.h"
#include "toolkit/picture/SvgReferences.h"

namespace tk {

namespace {

// Rows are read and written through a buffer of about this size: small
// enough to stay in the processor's cache, large enough for few system calls.
constexpr uint64_t kChunkBytes = 1 << 20;

QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

int dotsPerMeter(double dpi) {
    return qRound(dpi / 0.0254);
}

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads exactly `size` bytes at `offset`; false with errno set, or with
// errno 0 when the file ended first.
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

LoadedPicture failure(const QString& why) {
    LoadedPicture p;
    p.error = why;
    return p;
}

// Pixel memory for a large picture, in huge pages where the system has them.
// A wallpaper is 100 MB and more: in 4 KiB pages its first touch costs tens
// of thousands of page faults, more than reading the file.
struct PixelMemory {
    void* base = nullptr;
    std::size_t length = 0;
};

void releasePixels(void* info) {
    auto* memory = static_cast<PixelMemory*>(info);
    ::munmap(memory->base, memory->length);
    delete memory;
}

QImage newRgb32(int width, int height) {
    constexpr std::size_t kHuge = std::size_t{2} << 20;
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
    if (bytes < 4 * kHuge) {
        return QImage(width, height, QImage::Format_RGB32);
    }
    // Aligned to a huge page inside a slightly larger mapping.
    const std::size_t length = bytes + kHuge;
    void* base =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) {
        return QImage(width, height, QImage::Format_RGB32);
    }
    const auto start = (reinterpret_cast<std::uintptr_t>(base) + kHuge - 1) & ~(kHuge - 1);
    auto* pixels = reinterpret_cast<uchar*>(start);
    ::madvise(pixels, bytes, MADV_HUGEPAGE);
    auto* memory = new PixelMemory{base, length};
    QImage image(pixels, width, height, bytesPerLine, QImage::Format_RGB32, releasePixels, memory);
    if (image.isNull()) {
        releasePixels(memory);
    }
    return image;
}

// Feeds the bytes [from, to) of the file to `hasher`.
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

// Where converted rows go: an image's pixels, taken once so that two
// threads can fill their own rows without touching the QImage itself.
struct RowTarget {
    uchar* bits;
    qsizetype bytesPerLine;
};

// Converts the file's rows [first, last) into `image`, read through a
// buffer small enough to stay in the processor's cache, and feeds their bytes
// to `hasher` when there is one. False with errno set (0: the file ended).
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

LoadedPicture readFastBitmap(int fd, const bmp::Layout& l, uint64_t fileSize) {
    const auto readFailure = [] {
        return failure(errno == 0 ? tk::Text::tr("the bitmap file is cut short")
                                  : systemError(errno));
    };
    ContentHasher hasher;
    if (!hashRange(fd, hasher, 0, l.pixelOffset)) {
        return readFailure();
    }
    QImage image = newRgb32(l.width, l.height);
    if (image.isNull()) {
        return failure(tk::Text::tr("there is not enough memory for a picture of %1 x %2 pixels")
                           .arg(l.width)
                           .arg(l.height));
    }
    ::posix_fadvise(fd, static_cast<off_t>(l.pixelOffset), static_cast<off_t>(l.pixelBytes),
                    POSIX_FADV_SEQUENTIAL);
    const auto height = uint64_t(l.height);
    // A large picture is converted by two threads, a half each: most of the
    // time goes into the new image's memory and the conversion, which then
    // run side by side. The hash takes the file's bytes in order, so the
    // second half is hashed once both are done.
    const RowTarget target{image.bits(), image.bytesPerLine()};
    uint64_t half = height;
    std::thread second;
    int secondErrno = 0;
    bool secondOk = true;
    if (height * l.rowStride >= (8u << 20) && std::thread::hardware_concurrency() > 1) {
        half = height / 2;
        try {
            second = std::thread([&] {
                secondOk = convertRows(fd, l, target, half, height, nullptr);
                secondErrno = errno;
            });
        } catch (const std::system_error&) {
            half = height;  // no thread to be had: one does it all
        }
    }
    const bool firstOk = convertRows(fd, l, target, 0, half, &hasher);
    const int firstErrno = errno;
    if (second.joinable()) {
        second.join();
    }
    if (!firstOk || !secondOk) {
        errno = !firstOk ? firstErrno : secondErrno;
        return readFailure();
    }
    // The rest of the file: the second half's rows (read again, from the
    // page cache) and whatever follows the pixels.
    if (!hashRange(fd, hasher, std::min(l.pixelOffset + half * l.rowStride, fileSize), fileSize)) {
        return readFailure();
    }
    LoadedPicture p;
    p.image = std::move(image);
    p.contentHash = hasher.hex();
    return p;
}

LoadedPicture loadPictureFile(const QString& path, const PictureTarget& target,
                              bool descriptionAllowed);

// The first few kilobytes of a file: enough to tell what kind of text it is.
QByteArray startOf(int fd, uint64_t fileSize) {
    QByteArray head(static_cast<qsizetype>(std::min<uint64_t>(4096, fileSize)), '\0');
    if (!readAt(fd, reinterpret_cast<uint8_t*>(head.data()), static_cast<uint64_t>(head.size()),
                0)) {
        return {};
    }
    return head;
}

// The size a drawing of `natural` size is rendered at for `target`.
QSize renderedSize(QSize natural, const PictureTarget& target) {
    if (target.fit == PictureTarget::Fit::Natural || target.monitor.isEmpty() ||
        natural.isEmpty()) {
        return natural;
    }
    if (target.fit == PictureTarget::Fit::Stretch) {
        return target.monitor;
    }
    const double across = double(target.monitor.width()) / natural.width();
    const double down = double(target.monitor.height()) / natural.height();
    const double s =
        target.fit == PictureTarget::Fit::Cover ? std::max(across, down) : std::min(across, down);
    return {std::max(1, int(std::lround(natural.width() * s))),
            std::max(1, int(std::lround(natural.height() * s)))};
}

// Formats Qt reads only through a plugin that not every system has (Debian 12
// has none for Qt 6; kimageformat6-plugins brings them from Debian 13): the
// name of the one `head` (a file's first bytes) is written in, or empty.
QString formatNeedingPlugin(const QByteArray& head) {
    if (head.startsWith("\xff\x0a") ||
        head.startsWith(QByteArray("\0\0\0\x0cJXL \r\n\x87\n", 12))) {
        return QStringLiteral("JPEG XL");
    }
    // An ISO media file ("....ftyp") of an AVIF or HEIF brand.
    const QByteArray brand = head.mid(4, 8);
    if (brand == "ftypavif" || brand == "ftypavis") {
        return QStringLiteral("AVIF");
    }
    if (brand == "ftypheic" || brand == "ftypheix" || brand == "ftypmif1") {
        return QStringLiteral("HEIF");
    }
    return {};
}

LoadedPicture readWithQt(const QString& path, const PictureTarget& target) {
    // Read whole, so that the bytes are hashed in the one pass.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return failure(file.errorString());
    }
    file.close();
    ContentHasher hasher;
    hasher.add(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);  // as desktops show photos
    const QByteArray format = reader.format();
    const bool drawing = format == "svg" || format == "svgz";
    // Even its size is known only once the drawing and what it draws from are read.
    if (const QString why = drawing ? svgReferenceProblem(path) : QString(); !why.isEmpty()) {
        return failure(why);
    }
    QSize size = reader.size();
    if (drawing) {
        // A drawing has no pixels of its own: it is drawn at the size the
        // desktop shows it.
        size = renderedSize(size, target);
        reader.setScaledSize(size);
    }
    if (size.isValid() &&
        (size.width() > bmp::kMaxSide || size.height() > bmp::kMaxSide ||
         uint64_t(size.width()) * uint64_t(size.height()) * 4 > bmp::kMaxImageBytes)) {
        return failure(tk::Text::tr("the picture is too large (%1 x %2 pixels)")
                           .arg(size.width())
                           .arg(size.height()));
    }
    // Qt's own ceiling is lower than ours; wallpapers for two 8K screens
    // exist.
    constexpr int kLimitMiB = int(bmp::kMaxImageBytes >> 20);
    if (QImageReader::allocationLimit() < kLimitMiB) {
        QImageReader::setAllocationLimit(kLimitMiB);
    }
    QImage image;
    if (!reader.read(&image)) {
        if (reader.error() == QImageReader::UnsupportedFormatError) {
            QFile head(path);
            const QString name =
                head.open(QIODevice::ReadOnly) ? formatNeedingPlugin(head.read(16)) : QString();
            if (!name.isEmpty()) {
                return failure(tk::Text::tr("it is a %1 picture, and Qt has no %1 reader here "
                                            "(on Debian 13 and later: kimageformat6-plugins)")
                                   .arg(name));
            }
            return failure(tk::Text::tr("it is not a picture in a known format"));
        }
        return failure(reader.errorString());
    }
    if (image.format() != QImage::Format_RGB32) {
        image = image.convertToFormat(QImage::Format_RGB32);
        if (image.isNull()) {
            return failure(tk::Text::tr("there is not enough memory for the picture"));
        }
    }
    LoadedPicture p;
    p.image = std::move(image);
    p.contentHash = hasher.hex();
    return p;
}

// The picture a background description shows, loaded.
LoadedPicture readBackgroundXml(const QString& path, const PictureTarget& target) {
    // A slideshow of a hundred thousand slides is 19 MB.
    constexpr qint64 kMaxDescription = qint64(32) << 20;
    const files::FileBytes read = files::readRegularFile(path, kMaxDescription);
    if (!read.ok()) {
        return failure(read.error);
    }
    if (!read.whole) {
        return failure(tk::Text::tr("the background description %1 is larger than %2 MiB")
                           .arg(shown(path))
                           .arg(kMaxDescription >> 20));
    }
    const QByteArray& xml = read.bytes;
    const BackgroundChoice choice =
        chooseBackground(xml, path, target.monitor.isEmpty() ? QSize(1920, 1080) : target.monitor,
                         target.now.isValid() ? target.now : QDateTime::currentDateTime());
    if (!choice.error.isEmpty()) {
        return failure(choice.error);
    }
    LoadedPicture picture = loadPictureFile(choice.file, target, false);
    picture.contentHash.clear();  // not the description's own bytes
    if (!picture.ok()) {
        picture.error = tk::Text::tr("the picture %1 that %2 shows cannot be read: %3")
                            .arg(shown(choice.file), shown(path), picture.error);
    }
    return picture;
}

LoadedPicture loadPictureFile(const QString& path, const PictureTarget& target,
                              bool descriptionAllowed) {
    if (path.isEmpty()) {
        return failure(tk::Text::tr("no file name was given"));
    }
    LoadedPicture result;
    {
        QString error;
        Fd fd(files::openRegularFile(path, &error));
        if (fd.get() < 0) {
            return failure(error);
        }
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) {
            return failure(systemError(errno));
        }
        const uint64_t fileSize = static_cast<uint64_t>(st.st_size);
        if (fileSize == 0) {
            return failure(tk::Text::tr("the file is empty"));
        }
        uint8_t head[bmp::kHeaderPeek] = {};
        const uint64_t peek = std::min<uint64_t>(sizeof head, fileSize);
        if (!readAt(fd.get(), head, peek, 0)) {
            return failure(errno == 0 ? tk::Text::tr("the file is cut short") : systemError(errno));
        }
        const bmp::Parsed parsed = bmp::parseHeader(head, static_cast<std::size_t>(peek), fileSize);
        switch (parsed.verdict) {
            case bmp::Verdict::Invalid:
                return failure(parsed.reason);
            case bmp::Verdict::Fast:
                result = readFastBitmap(fd.get(), parsed.layout, fileSize);
                break;
            case bmp::Verdict::Other:
                break;
        }
        if (!result.ok() && result.error.isEmpty() && head[0] != 'B' &&
            looksLikeBackgroundXml(startOf(fd.get(), fileSize))) {
            if (!descriptionAllowed) {
                return failure(tk::Text::tr("it is a background description itself"));
            }
            return readBackgroundXml(path, target);
        }
    }
    if (!result.ok() && result.error.isEmpty()) {
        result = readWithQt(path, target);
    }
    if (result.ok()) {
        // Fonts drawn on the picture are sized at the screen's resolution.
        result.image.setDotsPerMeterX(dotsPerMeter(dpiX()));
        result.image.setDotsPerMeterY(dotsPerMeter(dpiY()));
    }
    return result;
}

}  // namespace

QImage CopyPicture(const QImage& picture) {
    if (picture.format() != QImage::Format_RGB32) {
        return picture.copy();
    }
    QImage copy = newRgb32(picture.width(), picture.height());
    if (copy.isNull()) {
        return copy;
    }
    const qsizetype rowBytes = qsizetype(picture.width()) * 4;
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(copy.scanLine(y), picture.constScanLine(y), static_cast<std::size_t>(rowBytes));
    }
    copy.setDotsPerMeterX(picture.dotsPerMeterX());
    copy.setDotsPerMeterY(picture.dotsPerMeterY());
    return copy;
}

double LoadedPicture::widthHimetric() const {
    return pixelsToHimetricX(image.width());
}
double LoadedPicture::heightHimetric() const {
    return pixelsToHimetricY(image.height());
}

LoadedPicture LoadPicture(const QString& path, const PictureTarget& target) {
    return loadPictureFile(path, target, true);
}

namespace {

// Converts the picture's rows [first, last) of a bottom-up bitmap (file row
// 0 is the picture's last row) into `out`, each padded to `stride` bytes.
void fileRows(const QImage& source, uint64_t stride, int32_t first, int32_t last, uint8_t* out) {
    const int32_t width = source.width();
    for (int32_t fileRow = first; fileRow < last; ++fileRow, out += stride) {
        const int32_t row = source.height() - 1 - fileRow;
        pixels::rgb32ToBgr24(reinterpret_cast<const uint32_t*>(source.constScanLine(row)), out,
                             width);
        std::memset(out + 3 * uint64_t(width), 0, stride - 3 * uint64_t(width));
    }
}

// Writes the picture's rows as a 24-bit bitmap's pixels, and feeds them to
// `hasher` when there is one. For a large picture the next chunk is converted
// on a second thread while this one is written.
bool writeBitmapRows(int fd, const QImage& source, uint64_t stride, ContentHasher* hasher) {
    const int32_t height = source.height();
    const auto rowsPerChunk = int32_t(std::max<uint64_t>(1, kChunkBytes / stride));
    std::vector<uint8_t> buffers[2];
    for (auto& b : buffers) {
        b.resize(static_cast<std::size_t>(uint64_t(rowsPerChunk) * stride + 16));
    }
    const bool large = uint64_t(height) * stride >= (8u << 20);
    std::future<void> next;
    auto convert = [&](int32_t first, int which) {
        fileRows(source, stride, first, std::min(height, first + rowsPerChunk),
                 buffers[which].data());
    };
    if (height > 0) {
        convert(0, 0);
    }
    for (int32_t first = 0, which = 0; first < height; first += rowsPerChunk, which ^= 1) {
        const int32_t following = first + rowsPerChunk;
        if (following < height) {
            if (large) {
                try {
                    next = std::async(std::launch::async, convert, following, which ^ 1);
                } catch (const std::system_error&) {
                    next = {};
                }
            }
        }
        const int32_t rows = std::min(height, following) - first;
        if (hasher != nullptr) {
            hasher->add(buffers[which].data(), static_cast<std::size_t>(uint64_t(rows) * stride));
        }
        const bool written = writeAll(fd, buffers[which].data(), uint64_t(rows) * stride);
        const int err = errno;
        if (following < height) {
            if (next.valid()) {
                next.get();
            } else {
                convert(following, which ^ 1);
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

SaveResult SavePictureAsBitmap(const QImage& picture, const QString& path, bool hashed) {
    SaveResult result;
    if (picture.isNull()) {
        result.error = tk::Text::tr("there is no picture to save");
        return result;
    }
    const QImage source =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    if (source.isNull()) {
        result.error = tk::Text::tr("there is not enough memory to convert the picture");
        return result;
    }
    // The replaced file keeps its permissions.
    files::AtomicFile file(path);
    if (!file.open()) {
        result.error = whyNotWritten(file, path);
        return result;
    }
    const int32_t width = source.width();
    const int32_t height = source.height();
    const uint64_t stride = bmp::rowStride24(width);
    uint8_t header[bmp::kFileHeaderSize + bmp::kInfoHeaderSize + 16] = {};
    bmp::writeHeader24(header, width, height, source.dotsPerMeterX(), source.dotsPerMeterY());
    std::optional<ContentHasher> hasher;
    if (hashed) {
        hasher.emplace().add(header, bmp::kFileHeaderSize + bmp::kInfoHeaderSize);
    }
    if (!writeAll(file.handle(), header, bmp::kFileHeaderSize + bmp::kInfoHeaderSize) ||
        !writeBitmapRows(file.handle(), source, stride, hasher ? &*hasher : nullptr)) {
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

}  // namespace tk
