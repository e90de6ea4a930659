#include "system/desktop/PngCopy.h"
#include "toolkit/Translations.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QtEndian>
#include <array>
#include <cstring>
#include <functional>

namespace desktop {

namespace {

// CRC-32 as PNG computes it, eight bytes at a step ("slicing by 8").
using CrcTables = std::array<std::array<quint32, 256>, 8>;
const CrcTables& crcTables() {
    static const CrcTables tables = [] {
        CrcTables t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xedb88320U ^ (c >> 1) : c >> 1;
            }
            t[0][n] = c;
        }
        for (quint32 n = 0; n < 256; ++n) {
            for (int k = 1; k < 8; ++k) {
                t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xff];
            }
        }
        return t;
    }();
    return tables;
}

quint32 crc32(quint32 crc, const uchar* p, qsizetype size) {
    const CrcTables& t = crcTables();
    crc = ~crc;
    for (; size >= 8; size -= 8, p += 8) {
        const quint32 low = crc ^ qFromLittleEndian<quint32>(p);
        const quint32 high = qFromLittleEndian<quint32>(p + 4);
        crc = t[7][low & 0xff] ^ t[6][(low >> 8) & 0xff] ^ t[5][(low >> 16) & 0xff] ^
              t[4][low >> 24] ^ t[3][high & 0xff] ^ t[2][(high >> 8) & 0xff] ^
              t[1][(high >> 16) & 0xff] ^ t[0][high >> 24];
    }
    while (size-- > 0) {
        crc = t[0][(crc ^ *p++) & 0xff] ^ (crc >> 8);
    }
    return ~crc;
}

void putBigEndian(uchar* at, quint32 v) {
    qToBigEndian(v, at);
}

// PNG's chunks around a zlib stream of stored deflate blocks, fed row by row:
// one IDAT chunk for each block of up to 65535 bytes.
class PngStream {
public:
    explicit PngStream(QIODevice& out) : out_(out) {}

    void begin(int width, int height) {
        out_.write("\x89PNG\r\n\x1a\n", 8);
        uchar header[13] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2, 0, 0, 0};  // 8-bit RGB
        putBigEndian(header, quint32(width));
        putBigEndian(header + 4, quint32(height));
        chunk("IHDR", header, sizeof header);
        static const uchar zlibHeader[2] = {0x78, 0x01};
        chunk("IDAT", zlibHeader, 2);
    }
    // One row of raw RGB bytes; PNG's filter byte 0 goes before it.
    void row(const char* rgb, qsizetype size) {
        static const char none = 0;
        add(&none, 1);
        add(rgb, size);
    }
    void end() {
        block(true);
        uchar adler[4];
        putBigEndian(adler, (b_ << 16) | a_);
        chunk("IDAT", adler, 4);
        chunk("IEND", nullptr, 0);
    }

private:
    static constexpr qsizetype kBlock = 65535;

    void add(const char* data, qsizetype size) {
        while (size > 0) {
            const qsizetype n = qMin(size, kBlock - used_);
            std::memcpy(block_.data() + 5 + used_, data, size_t(n));
            used_ += n;
            data += n;
            size -= n;
            if (used_ == kBlock) {
                block(false);
            }
        }
    }
    void block(bool last) {
        uchar* b = block_.data();
        const quint16 len = quint16(used_);
        b[0] = last ? 1 : 0;
        b[1] = uchar(len & 0xff);
        b[2] = uchar(len >> 8);
        b[3] = uchar(~len & 0xff);
        b[4] = uchar((~len >> 8) & 0xff);
        // Adler-32, reduced every 5552 bytes as zlib does.
        const uchar* p = b + 5;
        for (qsizetype left = used_; left > 0;) {
            qsizetype n = qMin<qsizetype>(left, 5552);
            left -= n;
            while (n-- > 0) {
                a_ += *p++;
                b_ += a_;
            }
            a_ %= 65521;
            b_ %= 65521;
        }
        chunk("IDAT", b, 5 + used_);
        used_ = 0;
    }
    void chunk(const char* type, const uchar* data, qsizetype size) {
        uchar head[8];
        putBigEndian(head, quint32(size));
        std::memcpy(head + 4, type, 4);
        out_.write(reinterpret_cast<const char*>(head), 8);
        if (size > 0) {
            out_.write(reinterpret_cast<const char*>(data), size);
        }
        uchar crc[4];
        putBigEndian(crc, crc32(crc32(0, head + 4, 4), data, size));
        out_.write(reinterpret_cast<const char*>(crc), 4);
    }

    QIODevice& out_;
    std::array<uchar, 5 + kBlock> block_{};
    qsizetype used_ = 0;
    quint32 a_ = 1, b_ = 0;
};

// The rows of an uncompressed 24-bit bitmap, top first, as RGB; false when
// the file is not one.
bool bitmapRows(const QString& source, const std::function<void(int, int)>& size,
                const std::function<void(const char*, qsizetype)>& row) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 54) {
        return false;
    }
    const uchar* map = file.map(0, file.size());
    if (map == nullptr || map[0] != 'B' || map[1] != 'M') {
        return false;
    }
    const quint32 offset = qFromLittleEndian<quint32>(map + 10);
    const qint32 width = qFromLittleEndian<qint32>(map + 18);
    const qint32 height = qFromLittleEndian<qint32>(map + 22);
    const quint16 bits = qFromLittleEndian<quint16>(map + 28);
    const quint32 compression = qFromLittleEndian<quint32>(map + 30);
    const qint64 rows = height < 0 ? -qint64(height) : height;
    const qint64 stride = (qint64(width) * 3 + 3) & ~qint64(3);
    if (bits != 24 || compression != 0 || width <= 0 || rows == 0 ||
        qint64(offset) + stride * rows > file.size()) {
        return false;
    }
    size(width, int(rows));
    QByteArray line(width * 3, '\0');
    char* rgb = line.data();
    for (qint64 y = 0; y < rows; ++y) {
        const uchar* bgr = map + offset + stride * (height < 0 ? y : rows - 1 - y);
        for (qint64 x = 0; x < width * 3; x += 3) {
            rgb[x] = char(bgr[x + 2]);
            rgb[x + 1] = char(bgr[x + 1]);
            rgb[x + 2] = char(bgr[x]);
        }
        row(rgb, line.size());
    }
    return true;
}

}  // namespace

QString writePngCopy(const QString& source, const QString& target) {
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return out.errorString();
    }
    PngStream png(out);
    const auto begin = [&](int w, int h) { png.begin(w, h); };
    const auto row = [&](const char* rgb, qsizetype size) { png.row(rgb, size); };
    if (!bitmapRows(source, begin, row)) {
        const QImage image = QImage(source).convertToFormat(QImage::Format_RGB888);
        if (image.isNull()) {
            out.cancelWriting();
            return tk::Text::tr("the picture cannot be loaded");
        }
        png.begin(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y) {
            png.row(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 3);
        }
    }
    png.end();
    return out.commit() ? QString() : out.errorString();
}

}  // namespace desktop
