#include "system/desktop/PngCopy.h"
#include "toolkit/Translations.h"

#include <fcntl.h>
#include <zlib.h>

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QtEndian>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace desktop {

namespace {

#if defined(__x86_64__) || defined(__i386__)
// Swaps four pixels at a step; returns how many it did. Sixteen bytes are
// loaded and stored for every twelve that count, so the last pixels are
// left to the caller.
__attribute__((target("ssse3"))) int swapRedBlueSsse3(const uchar* src, uchar* dst, int count) {
    const __m128i shuffle = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, -1, -1, -1, -1);
    int i = 0;
    for (; i + 5 < count; i += 4) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * i), _mm_shuffle_epi8(in, shuffle));
    }
    return i;
}
#endif

// A part of the file: ready to be written once the CRC of each chunk that
// starts in it is filled in.
struct Piece {
    std::vector<uchar> bytes;
    qsizetype size = 0;
    std::vector<qsizetype> chunks;  // where each chunk starts

    // The CRC follows the chunk's data and covers its type and data.
    void seal() {
        for (const qsizetype start : chunks) {
            uchar* at = bytes.data() + start;
            const quint32 length = qFromBigEndian<quint32>(at);
            qToBigEndian(quint32(crc32(0, at + 4, uInt(length + 4))), at + 8 + length);
        }
    }
};
using PiecePtr = std::unique_ptr<Piece>;

// Hands finished pieces from the thread that makes them to the one that
// writes them, and the written ones back, so that a few buffers go round.
class PiecePipe {
public:
    explicit PiecePipe(int pieces) {
        for (int i = 0; i < pieces; ++i) {
            empty_.push_back(std::make_unique<Piece>());
        }
    }
    PiecePtr takeEmpty() { return take(empty_); }
    void giveEmpty(PiecePtr piece) { give(empty_, std::move(piece)); }
    // Waits for the next full piece; null once the maker has closed the pipe.
    PiecePtr takeFull() { return take(full_); }
    void giveFull(PiecePtr piece) { give(full_, std::move(piece)); }
    void close() { give(full_, nullptr); }

private:
    PiecePtr take(std::deque<PiecePtr>& queue) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !queue.empty(); });
        PiecePtr piece = std::move(queue.front());
        queue.pop_front();
        return piece;
    }
    void give(std::deque<PiecePtr>& queue, PiecePtr piece) {
        {
            std::lock_guard lock(mutex_);
            queue.push_back(std::move(piece));
        }
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<PiecePtr> empty_, full_;
};

// PNG's chunks around a zlib stream of stored deflate blocks, fed row by row.
// Each IDAT chunk holds up to 16 blocks of 65535 bytes, about 1 MiB; a
// finished chunk goes down the pipe while the next one is filled.
class PngStream {
public:
    explicit PngStream(PiecePipe& pipe) : pipe_(pipe) {}

    void begin(int width, int height) {
        nextPiece();
        put("\x89PNG\r\n\x1a\n", 8);
        uchar header[13] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2, 0, 0, 0};  // 8-bit RGB
        qToBigEndian(quint32(width), header);
        qToBigEndian(quint32(height), header + 4);
        const qsizetype start = openChunk("IHDR");
        put(header, sizeof header);
        closeChunk(start);
        openIdat();
        put("\x78\x01", 2);  // zlib's header: deflate, no preset dictionary
        openBlock();
    }
    // One row of raw RGB bytes; PNG's filter byte 0 goes before it.
    void row(const char* rgb, qsizetype size) {
        static const char none = 0;
        add(&none, 1);
        add(rgb, size);
    }
    void end() {
        closeBlock(true);
        uchar adler[4];
        qToBigEndian(quint32(adler_), adler);
        put(adler, 4);
        closeChunk(idat_);
        closeChunk(openChunk("IEND"));
        pipe_.giveFull(std::move(piece_));
    }

private:
    static constexpr qsizetype kBlock = 65535;
    static constexpr int kBlocksPerChunk = 16;
    // Signature and header, one chunk of blocks, the checksum and the end.
    static constexpr qsizetype kPieceSize = 64 + kBlocksPerChunk * (5 + kBlock) + 64;

    void nextPiece() {
        piece_ = pipe_.takeEmpty();
        piece_->bytes.resize(size_t(kPieceSize));
        piece_->size = 0;
        piece_->chunks.clear();
    }
    void put(const void* data, qsizetype size) {
        std::memcpy(piece_->bytes.data() + piece_->size, data, size_t(size));
        piece_->size += size;
    }
    qsizetype openChunk(const char* type) {
        const qsizetype start = piece_->size;
        piece_->size += 4;
        put(type, 4);
        return start;
    }
    // Fills in the chunk's length and leaves room for its CRC, which the
    // writing thread fills in.
    void closeChunk(qsizetype start) {
        qToBigEndian(quint32(piece_->size - start - 8), piece_->bytes.data() + start);
        piece_->chunks.push_back(start);
        piece_->size += 4;
    }
    void openIdat() {
        idat_ = openChunk("IDAT");
        blocks_ = 0;
    }
    void openBlock() {
        if (blocks_ == kBlocksPerChunk) {
            closeChunk(idat_);
            pipe_.giveFull(std::move(piece_));
            nextPiece();
            openIdat();
        }
        ++blocks_;
        block_ = piece_->size;
        piece_->size += 5;
        used_ = 0;
    }
    void closeBlock(bool last) {
        uchar* b = piece_->bytes.data() + block_;
        const quint16 len = quint16(used_);
        b[0] = last ? 1 : 0;
        qToLittleEndian(len, b + 1);
        qToLittleEndian(quint16(~len), b + 3);
        adler_ = adler32(adler_, b + 5, uInt(used_));
    }
    void add(const char* data, qsizetype size) {
        while (size > 0) {
            if (used_ == kBlock) {
                closeBlock(false);
                openBlock();
            }
            const qsizetype n = qMin(size, kBlock - used_);
            put(data, n);
            used_ += n;
            data += n;
            size -= n;
        }
    }

    PiecePipe& pipe_;
    PiecePtr piece_;
    qsizetype idat_ = 0, block_ = 0, used_ = 0;
    int blocks_ = 0;
    uLong adler_ = adler32(0, nullptr, 0);
};

// Blue, green, red bytes to red, green, blue.
void swapRedBlue(const uchar* src, uchar* dst, int count) {
    int i = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("ssse3")) {
        i = swapRedBlueSsse3(src, dst, count);
    }
#endif
    for (; i < count; ++i) {
        dst[3 * i] = src[3 * i + 2];
        dst[3 * i + 1] = src[3 * i + 1];
        dst[3 * i + 2] = src[3 * i];
    }
}

enum class Rows { Given, NotABitmap, Unreadable };

// The rows of an uncompressed 24-bit bitmap, top first, as RGB. The rows are read about 1 MiB at a
// time into one buffer: cheaper than mapping the file, whose pages would each fault in.
Rows bitmapRows(const QString& source, const std::function<void(int, int)>& size,
                const std::function<void(const char*, qsizetype)>& row) {
    QFile file(source);
    uchar head[54];
    if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char*>(head), 54) != 54 ||
        head[0] != 'B' || head[1] != 'M') {
        return Rows::NotABitmap;
    }
    const quint32 offset = qFromLittleEndian<quint32>(head + 10);
    const qint32 width = qFromLittleEndian<qint32>(head + 18);
    const qint32 height = qFromLittleEndian<qint32>(head + 22);
    const quint16 bits = qFromLittleEndian<quint16>(head + 28);
    const quint32 compression = qFromLittleEndian<quint32>(head + 30);
    const qint64 rows = height < 0 ? -qint64(height) : height;
    const qint64 stride = (qint64(width) * 3 + 3) & ~qint64(3);
    if (bits != 24 || compression != 0 || width <= 0 || rows == 0 ||
        qint64(offset) + stride * rows > file.size()) {
        return Rows::NotABitmap;
    }
    const bool bottomUp = height > 0;
    const qint64 band = qMax<qint64>(1, (1 << 20) / stride);
    std::vector<uchar> bgr(size_t(stride * qMin(band, rows)));
    QByteArray line(width * 3, '\0');
    uchar* rgb = reinterpret_cast<uchar*>(line.data());
    size(width, int(rows));
    // Bands of rows as they appear on the screen, top first.
    for (qint64 top = 0; top < rows; top += band) {
        const qint64 count = qMin(band, rows - top);
        const qint64 first = bottomUp ? rows - top - count : top;  // in file order
        const qint64 bytes = stride * count;
        if (!file.seek(offset + stride * first) ||
            file.read(reinterpret_cast<char*>(bgr.data()), bytes) != bytes) {
            return Rows::Unreadable;  // cut short since it was opened
        }
        for (qint64 i = 0; i < count; ++i) {
            const uchar* from = bgr.data() + stride * (bottomUp ? count - 1 - i : i);
            swapRedBlue(from, rgb, width);
            row(line.constData(), line.size());
        }
    }
    return Rows::Given;
}

// Makes the PNG's pieces from the picture at `source`; false when it cannot
// be loaded.
bool makePieces(const QString& source, PngStream& png) {
    const auto begin = [&](int w, int h) { png.begin(w, h); };
    const auto row = [&](const char* rgb, qsizetype size) { png.row(rgb, size); };
    const Rows rows = bitmapRows(source, begin, row);
    if (rows == Rows::Unreadable) {
        return false;
    }
    if (rows == Rows::NotABitmap) {
        const QImage image = QImage(source).convertToFormat(QImage::Format_RGB888);
        if (image.isNull()) {
            return false;
        }
        png.begin(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y) {
            png.row(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 3);
        }
    }
    png.end();
    return true;
}

}  // namespace

QString writePngCopy(const QString& source, const QString& target) {
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return out.errorString();
    }
    // The checksums take about as long as the disk, so a second thread seals
    // and writes each finished piece while the next is made, and has the
    // system start putting every few MiB on the disk at once rather than all
    // of it at the flush at the end.
    constexpr qint64 kSyncStep = 4 << 20;
    PiecePipe pipe(3);
    bool written = true;
    std::thread writer([&] {
        qint64 at = 0, synced = 0;
        while (PiecePtr piece = pipe.takeFull()) {
            piece->seal();
            written = written &&
                      out.write(reinterpret_cast<const char*>(piece->bytes.data()), piece->size) ==
                          piece->size &&
                      out.flush();
            at += piece->size;
            if (written && at - synced >= kSyncStep) {
                ::sync_file_range(out.handle(), synced, at - synced, SYNC_FILE_RANGE_WRITE);
                synced = at;
            }
            pipe.giveEmpty(std::move(piece));
        }
    });
    PngStream png(pipe);
    const bool made = makePieces(source, png);
    pipe.close();
    writer.join();
    if (!made) {
        out.cancelWriting();
        return tk::Text::tr("the picture cannot be loaded");
    }
    if (!written) {
        const QString why = out.errorString();
        out.cancelWriting();
        return why;
    }
    return out.commit() ? QString() : out.errorString();
}

}  // namespace desktop
