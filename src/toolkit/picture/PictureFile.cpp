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
#include "toolkit/picture/BitmapIo.h"
#include "toolkit/picture/BmpHeader.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PixelRows.h"
#include "toolkit/picture/SvgReferences.h"

namespace tk {

namespace {

using bitmapio::Fd;
using bitmapio::readAt;
using bitmapio::shown;
using bitmapio::systemError;

LoadedPicture failure(const QString& why) {
    LoadedPicture p;
    p.error = why;
    return p;
}

LoadedPicture readFastBitmap(int fd, const bmp::Layout& l, uint64_t fileSize) {
    const auto readFailure = [] {
        return failure(errno == 0 ? tk::Text::tr("the bitmap file is cut short")
                                  : systemError(errno));
    };
    ContentHasher hasher;
    if (!bitmapio::hashRange(fd, hasher, 0, l.pixelOffset)) {
        return readFailure();
    }
    QImage image = bitmapio::newRgb32(l.width, l.height);
    if (image.isNull()) {
        return failure(tk::Text::tr("there is not enough memory for a picture of %1 x %2 pixels")
                           .arg(l.width)
                           .arg(l.height));
    }
    ::posix_fadvise(fd, static_cast<off_t>(l.pixelOffset), static_cast<off_t>(l.pixelBytes),
                    POSIX_FADV_SEQUENTIAL);
    const auto height = uint64_t(l.height);
    // A large picture is converted by two threads: most of the time goes
    // into the new image's memory and the conversion, which then run side by
    // side. The hash takes the file's bytes in order, so the first thread
    // converts the first quarter and goes on to hash the rest (read again,
    // from the page cache) while the second converts it: about even shares.
    const bitmapio::RowTarget target{image.bits(), image.bytesPerLine()};
    uint64_t split = height;
    std::thread second;
    int secondErrno = 0;
    bool secondOk = true;
    if (height * l.rowStride >= (8u << 20) && std::thread::hardware_concurrency() > 1) {
        split = height / 4;
        try {
            second = std::thread([&] {
                secondOk = bitmapio::convertRows(fd, l, target, split, height, nullptr);
                secondErrno = errno;
            });
        } catch (const std::system_error&) {
            split = height;  // no thread to be had: one does it all
        }
    }
    bool firstOk = bitmapio::convertRows(fd, l, target, 0, split, &hasher);
    firstOk = firstOk &&
              bitmapio::hashRange(
                  fd, hasher, std::min(l.pixelOffset + split * l.rowStride, fileSize), fileSize);
    const int firstErrno = errno;
    if (second.joinable()) {
        second.join();
    }
    if (!firstOk || !secondOk) {
        errno = !firstOk ? firstErrno : secondErrno;
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
        bitmapio::setScreenResolution(result.image);
    }
    return result;
}

}  // namespace

QImage CopyPicture(const QImage& picture) {
    if (picture.format() != QImage::Format_RGB32) {
        return picture.copy();
    }
    QImage copy = bitmapio::newRgb32(picture.width(), picture.height());
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

SaveResult SavePictureAsBitmap(const QImage& picture, const QString& path, bool hashed) {
    if (picture.isNull()) {
        SaveResult result;
        result.error = tk::Text::tr("there is no picture to save");
        return result;
    }
    const QImage source =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    if (source.isNull()) {
        SaveResult result;
        result.error = tk::Text::tr("there is not enough memory to convert the picture");
        return result;
    }
    const uint64_t stride = bmp::rowStride24(source.width());
    const auto rows = [&](int32_t first, int32_t last, uint8_t* out) {
        bitmapio::imageRows(source, stride, first, last, out);
        return true;
    };
    return bitmapio::writeBitmapFile(
        path, source.size(), QPoint(source.dotsPerMeterX(), source.dotsPerMeterY()), rows, hashed);
}

}  // namespace tk
