// Picture files: the bitmap reader and writer against hand-made files and
// Qt's own reader, the other formats, damaged files, and saves that fail.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <vector>

#include "toolkit/Units.h"
#include "toolkit/picture/BmpHeader.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PartialBitmap.h"
#include "toolkit/picture/PictureFile.h"
#include "toolkit/picture/PixelRows.h"

namespace {

QImage noiseImage(int w, int h, quint32 seed) {
    QImage img(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            row[x] = 0xFF000000u | (rng.generate() & 0x00FFFFFFu);
        }
    }
    return img;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put16(QByteArray& b, int at, uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void put32(QByteArray& b, int at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A bitmap file made by hand, independent of the writer under test.
struct BitmapKind {
    int bits = 24;  // 24 or 32
    bool topDown = false;
    int infoSize = 40;       // 40, 108, 124
    bool bitfields = false;  // 32-bit with explicit masks
    int gap = 0;             // bytes between the headers and the pixels
};

QByteArray makeBitmap(const QImage& img, const BitmapKind& s) {
    const int w = img.width();
    const int h = img.height();
    const int stride = (w * s.bits + 31) / 32 * 4;
    const int masks = s.bitfields && s.infoSize == 40 ? 12 : 0;
    const int offset = 14 + s.infoSize + masks + s.gap;
    QByteArray b(offset + stride * h, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, 10, static_cast<uint32_t>(offset));
    put32(b, 14, static_cast<uint32_t>(s.infoSize));
    put32(b, 18, static_cast<uint32_t>(w));
    put32(b, 22, static_cast<uint32_t>(s.topDown ? -h : h));
    put16(b, 26, 1);
    put16(b, 28, static_cast<uint32_t>(s.bits));
    put32(b, 30, s.bitfields ? 3 : 0);
    put32(b, 34, static_cast<uint32_t>(stride * h));
    put32(b, 38, 3780);
    put32(b, 42, 3780);
    if (s.bitfields) {
        put32(b, 54, 0x00FF0000u);
        put32(b, 58, 0x0000FF00u);
        put32(b, 62, 0x000000FFu);
    }
    for (int y = 0; y < h; ++y) {
        const int fileRow = s.topDown ? y : h - 1 - y;
        char* out = b.data() + offset + fileRow * stride;
        for (int x = 0; x < w; ++x) {
            const QRgb p = img.pixel(x, y);
            out[x * (s.bits / 8)] = static_cast<char>(qBlue(p));
            out[x * (s.bits / 8) + 1] = static_cast<char>(qGreen(p));
            out[x * (s.bits / 8) + 2] = static_cast<char>(qRed(p));
            if (s.bits == 32) {
                out[x * 4 + 3] = 0;  // the unused byte, as most writers leave it
            }
        }
        // Padding carries junk: a reader must not take it for pixels.
        for (int k = w * s.bits / 8; k < stride; ++k) {
            out[k] = static_cast<char>(0xA5);
        }
    }
    return b;
}

// Pixels equal, alpha ignored on both sides.
::testing::AssertionResult samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << "sizes " << a.width() << "x" << a.height()
                                             << " and " << b.width() << "x" << b.height();
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << "): " << std::hex << a.pixel(x, y)
                       << " vs " << b.pixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Qt writes no GIF; this one is 4 x 3, blue with a red pixel at (1, 1).
QByteArray gifFile() {
    static const unsigned char bytes[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x03, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
        0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x02, 0x04, 0x8c, 0x0d, 0x77, 0x05, 0x00, 0x3b};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class PictureFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// ---------------------------------------------------------------------------
// Reading hand-made bitmaps.

struct ReadCase {
    const char* name;
    BitmapKind kind;
    int w, h;
};

class BitmapReadTest : public PictureFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(BitmapReadTest, ReadsEveryRowInItsPlaceAndAgreesWithQt) {
    const ReadCase& c = GetParam();
    const QImage expected = noiseImage(c.w, c.h, 7);
    const QString file = path(QStringLiteral("in.bmp"));
    ASSERT_TRUE(writeFile(file, makeBitmap(expected, c.kind)));

    const tk::LoadedPicture loaded = tk::LoadPicture(file);
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    EXPECT_EQ(loaded.image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(samePixels(loaded.image, expected));
    // Opaque, whatever the file's fourth byte said.
    EXPECT_EQ(qAlpha(loaded.image.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(loaded.image.pixel(c.w - 1, c.h - 1)), 255);

    const QImage byQt(file);
    ASSERT_FALSE(byQt.isNull());
    EXPECT_TRUE(samePixels(loaded.image, byQt));
}

// Read in part and drawn on there, it saves as the whole picture would:
// the rows not read come straight from the file.
TEST_P(BitmapReadTest, ReadInPartItSavesAsTheWholePicture) {
    const ReadCase& c = GetParam();
    QImage expected = noiseImage(c.w, c.h, 11);
    const QString file = path(QStringLiteral("in.bmp"));
    ASSERT_TRUE(writeFile(file, makeBitmap(expected, c.kind)));
    const int first = c.h / 3;
    const int last = std::max(first + 1, c.h / 2);

    tk::PartialBitmap partial(file);
    ASSERT_TRUE(partial.isOpen());
    ASSERT_TRUE(partial.readRows(first, last, true));
    EXPECT_EQ(partial.contentHash(), tk::LoadPicture(file).contentHash);
    EXPECT_EQ(partial.image().pixel(0, last - 1) & 0xFFFFFF,
              expected.pixel(0, last - 1) & 0xFFFFFF);
    EXPECT_EQ((partial.image().pixel(0, c.h - 1) & 0xFFFFFF) == 0, last < c.h);  // not read
    for (QImage* picture : {&expected, &partial.image()}) {
        picture->setPixel(c.w / 2, first, qRgb(1, 2, 3));
        picture->setDotsPerMeterX(partial.image().dotsPerMeterX());
        picture->setDotsPerMeterY(partial.image().dotsPerMeterY());
    }
    ASSERT_TRUE(partial.save(path(QStringLiteral("part.bmp"))).ok);
    ASSERT_TRUE(tk::SavePictureAsBitmap(expected, path(QStringLiteral("whole.bmp"))).ok);
    EXPECT_EQ(readFile(path(QStringLiteral("part.bmp"))),
              readFile(path(QStringLiteral("whole.bmp"))));

    // A file cut short is never taken for a whole one.
    QByteArray cut = makeBitmap(expected, c.kind);
    cut.chop(1);
    ASSERT_TRUE(writeFile(file, cut));
    tk::PartialBitmap shorter(file);
    EXPECT_FALSE(shorter.isOpen() && shorter.readRows(0, c.h, false) &&
                 shorter.save(path(QStringLiteral("cut.bmp"))).ok);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BitmapReadTest,
    ::testing::Values(ReadCase{"BottomUp24", {24, false, 40, false, 0}, 13, 7},
                      ReadCase{"TopDown24", {24, true, 40, false, 0}, 13, 7},
                      ReadCase{"BottomUp24Width1", {24, false, 40, false, 0}, 1, 5},
                      ReadCase{"BottomUp24Width2", {24, false, 40, false, 0}, 2, 3},
                      ReadCase{"BottomUp24Width3", {24, false, 40, false, 0}, 3, 3},
                      ReadCase{"BottomUp24Width4", {24, false, 40, false, 0}, 4, 3},
                      ReadCase{"Wide24", {24, false, 40, false, 0}, 1021, 3},
                      ReadCase{"TallChunked24", {24, false, 40, false, 0}, 700, 600},
                      ReadCase{"BottomUp32", {32, false, 40, false, 0}, 9, 6},
                      ReadCase{"TopDown32", {32, true, 40, false, 0}, 9, 6},
                      ReadCase{"V4Header24", {24, false, 108, false, 0}, 11, 4},
                      ReadCase{"V5Header32", {32, false, 124, false, 0}, 11, 4},
                      ReadCase{"Bitfields32", {32, false, 40, true, 0}, 10, 4},
                      ReadCase{"V5Bitfields32TopDown", {32, true, 124, true, 0}, 10, 4},
                      ReadCase{"GapBeforePixels", {24, false, 40, false, 37}, 10, 4}),
    [](const auto& tc) { return std::string(tc.param.name); });

// A wallpaper-sized picture lives in memory of its own (huge pages): it must
// behave as any picture when drawn on, shared, copied and released.
TEST_F(PictureFileTest, ALargePictureBehavesAsAnyOther) {
    // 9 MB of rows in the file: read by two threads, written while converted
    const QImage expected = noiseImage(2000, 1500, 21);
    const QString file = path(QStringLiteral("large.bmp"));
    ASSERT_TRUE(tk::SavePictureAsBitmap(expected, file).ok);
    QFile bytes(file);
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    const QByteArray whole = bytes.readAll();
    tk::ContentHasher hasher;
    hasher.add(whole.constData(), std::size_t(whole.size()));
    QImage shared;
    {
        tk::LoadedPicture loaded = tk::LoadPicture(file);
        ASSERT_TRUE(loaded.ok());
        EXPECT_TRUE(samePixels(loaded.image, expected));
        EXPECT_EQ(loaded.contentHash, hasher.hex());
        shared = loaded.image;  // outlives the loaded picture
    }
    // cut short in the part the second thread reads
    const QString cutFile = path(QStringLiteral("cut.bmp"));
    QFile cut(cutFile);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write(whole.left(whole.size() - 6000)) > 0);
    cut.close();
    EXPECT_TRUE(tk::LoadPicture(cutFile).error.contains(QStringLiteral("cut short")));
    QImage drawn = shared;
    {
        QPainter p(&drawn);
        p.fillRect(0, 0, 10, 10, Qt::red);
    }
    EXPECT_EQ(drawn.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_TRUE(samePixels(shared, expected));  // drawing detached the copy
    shared = QImage();
    EXPECT_EQ(drawn.pixel(1999, 1499), expected.pixel(1999, 1499));
}

// ---------------------------------------------------------------------------
// Writing.

class BitmapWriteTest : public PictureFileTest, public ::testing::WithParamInterface<QSize> {};

TEST_P(BitmapWriteTest, WritesAnUncompressedBottomUp24BitBitmap) {
    const QSize size = GetParam();
    const QImage picture = noiseImage(size.width(), size.height(), 11);
    const QString file = path(QStringLiteral("out.bmp"));
    const tk::SaveResult saved = tk::SavePictureAsBitmap(picture, file);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();

    const QByteArray bytes = readFile(file);
    const int stride = (size.width() * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * size.height());
    auto u32 = [&](int at) {
        uint32_t v;
        std::memcpy(&v, bytes.constData() + at, 4);
        return v;
    };
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(2), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(static_cast<int32_t>(u32(18)), size.width());
    EXPECT_EQ(static_cast<int32_t>(u32(22)), size.height());  // positive: bottom-up
    EXPECT_EQ(u32(26) & 0xFFFF, 1u);
    EXPECT_EQ(u32(28) & 0xFFFF, 24u);
    EXPECT_EQ(u32(30), 0u);  // BI_RGB
    // The first row in the file is the picture's last.
    EXPECT_EQ(static_cast<uint8_t>(bytes[54]), qBlue(picture.pixel(0, size.height() - 1)));
    EXPECT_EQ(static_cast<uint8_t>(bytes[56]), qRed(picture.pixel(0, size.height() - 1)));
    // Padding is zero.
    for (int k = size.width() * 3; k < stride; ++k) {
        EXPECT_EQ(bytes[54 + k], '\0');
    }

    EXPECT_TRUE(samePixels(QImage(file), picture));  // Qt's reader agrees
    const tk::LoadedPicture back = tk::LoadPicture(file);
    ASSERT_TRUE(back.ok());
    EXPECT_TRUE(samePixels(back.image, picture));
}

INSTANTIATE_TEST_SUITE_P(Sizes, BitmapWriteTest,
                         ::testing::Values(QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(4, 4),
                                           QSize(5, 1), QSize(7, 9), QSize(640, 480),
                                           QSize(1003, 811)));

TEST_F(PictureFileTest, SavesPicturesOfOtherFormatsByTheirColours) {
    QImage argb(6, 4, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 200, 30, 255));
    QImage indexed(6, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(10, 200, 30)});
    indexed.fill(1);
    for (const QImage& picture : {argb, indexed, argb.convertToFormat(QImage::Format_RGB888)}) {
        const QString file = path(QStringLiteral("fmt.bmp"));
        ASSERT_TRUE(tk::SavePictureAsBitmap(picture, file).ok);
        const tk::LoadedPicture back = tk::LoadPicture(file);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.image.pixel(5, 3) & 0xFFFFFF, 0x0AC81Eu);
    }
}

TEST_F(PictureFileTest, ResolutionFollowsTheScreen) {
    for (double dpi : {96.0, 144.0}) {
        tk::overrideDpi(dpi);
        const QString file = path(QStringLiteral("dpi.bmp"));
        QImage picture = noiseImage(3, 3, 1);
        picture.setDotsPerMeterX(qRound(dpi / 0.0254));
        picture.setDotsPerMeterY(qRound(dpi / 0.0254));
        ASSERT_TRUE(tk::SavePictureAsBitmap(picture, file).ok);
        const tk::LoadedPicture back = tk::LoadPicture(file);
        EXPECT_EQ(back.image.dotsPerMeterX(), qRound(dpi / 0.0254));
        EXPECT_DOUBLE_EQ(back.widthHimetric(), 3 * 2540.0 / dpi);
        EXPECT_DOUBLE_EQ(back.heightHimetric(), 3 * 2540.0 / dpi);
    }
    tk::overrideDpi(0);
}

TEST_F(PictureFileTest, ReplacingKeepsTheFilesPermissionsAndLeavesNoTemporaryFile) {
    const QString file = path(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(tk::SavePictureAsBitmap(noiseImage(8, 8, 1), file).ok);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    ASSERT_TRUE(tk::SavePictureAsBitmap(noiseImage(9, 9, 2), file).ok);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Tessavel.bmp")});
    EXPECT_EQ(tk::LoadPicture(file).image.width(), 9);
}

TEST_F(PictureFileTest, AFolderThatCannotExistGetsAReasonAndNothingIsWritten) {
    // A plain file where the folder should be.
    const QString notADir = path(QStringLiteral("plain"));
    ASSERT_TRUE(writeFile(notADir, "x"));
    const tk::SaveResult saved =
        tk::SavePictureAsBitmap(noiseImage(4, 4, 1), notADir + QStringLiteral("/Tessavel.bmp"));
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.error.contains(QStringLiteral("Not a directory")))
        << saved.error.toStdString();
    EXPECT_EQ(readFile(notADir), QByteArray("x"));

    const tk::SaveResult missing = tk::SavePictureAsBitmap(
        noiseImage(4, 4, 1), path(QStringLiteral("no/such/dir/Tessavel.bmp")));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains(QStringLiteral("No such file")))
        << missing.error.toStdString();
}

// A disk that fills up half-way: the old file stays whole and no temporary
// file is left behind.
TEST_F(PictureFileTest, AWriteThatFailsHalfWayLeavesTheOldFileWhole) {
    const QString file = path(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(tk::SavePictureAsBitmap(noiseImage(10, 10, 3), file).ok);
    const QByteArray before = readFile(file);

    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 20000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const tk::SaveResult saved = tk::SavePictureAsBitmap(noiseImage(300, 300, 4), file);
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.error.contains(QStringLiteral("File too large")))
        << saved.error.toStdString();
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Tessavel.bmp")});
}

TEST_F(PictureFileTest, NothingToSaveIsRefused) {
    const tk::SaveResult saved = tk::SavePictureAsBitmap(QImage(), path(QStringLiteral("x.bmp")));
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.bmp"))));
}

// ---------------------------------------------------------------------------
// Other formats go through Qt's readers.

TEST_F(PictureFileTest, ReadsPngJpegGifAndPaletteBitmaps) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    picture.setPixel(3, 2, qRgb(255, 0, 0));
    struct Kind {
        const char* ext;
        const char* format;
        bool exact;
    };
    for (const Kind& k : {Kind{"png", "png", true}, Kind{"jpg", "jpeg", false},
                          Kind{"gif", "gif", true}, Kind{"bmp", "bmp", true}}) {
        if (std::strcmp(k.format, "gif") == 0) {
            // 40 x 30 does not matter for the GIF: it is a fixed file of
            // 4 x 3, blue with one red pixel at (1, 1).
            const QString file = path(QStringLiteral("picture.gif.dat"));
            ASSERT_TRUE(writeFile(file, gifFile()));
            const tk::LoadedPicture loaded = tk::LoadPicture(file);
            ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
            EXPECT_EQ(loaded.image.size(), QSize(4, 3));
            EXPECT_EQ(loaded.image.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
            EXPECT_EQ(loaded.image.pixel(3, 2) & 0xFFFFFF, 0x0000FFu);
            continue;
        }
        QImage source = picture;
        if (std::strcmp(k.format, "bmp") == 0) {
            source = picture.convertToFormat(QImage::Format_Indexed8);  // a palette
        }
        // A misleading extension: the content decides.
        const QString file = path(QStringLiteral("picture.%1.dat").arg(QLatin1String(k.ext)));
        QImageWriter writer(file, k.format);
        ASSERT_TRUE(writer.write(source)) << k.format;
        const tk::LoadedPicture loaded = tk::LoadPicture(file);
        ASSERT_TRUE(loaded.ok()) << k.format << ": " << loaded.error.toStdString();
        EXPECT_EQ(loaded.image.size(), QSize(40, 30)) << k.format;
        EXPECT_EQ(loaded.image.format(), QImage::Format_RGB32);
        if (k.exact) {
            EXPECT_EQ(loaded.image.pixel(3, 2) & 0xFFFFFF, 0xFF0000u) << k.format;
            EXPECT_EQ(loaded.image.pixel(20, 20) & 0xFFFFFF, 0x0000FFu) << k.format;
        } else {
            EXPECT_GT(qBlue(loaded.image.pixel(20, 20)), 200) << k.format;
        }
    }
}

// ---------------------------------------------------------------------------
// Files that are no usable picture.

struct BadCase {
    const char* name;
    std::function<QByteArray(QByteArray)> damage;  // applied to a good 24-bit file
    const char* reasonPart;
};

class DamagedFileTest : public PictureFileTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(DamagedFileTest, IsRefusedWithAReason) {
    const BadCase& c = GetParam();
    const QByteArray good = makeBitmap(noiseImage(10, 6, 5), BitmapKind{});
    const QString file = path(QStringLiteral("bad.bmp"));
    ASSERT_TRUE(writeFile(file, c.damage(good)));
    const tk::LoadedPicture loaded = tk::LoadPicture(file);
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.image.isNull());
    EXPECT_TRUE(loaded.error.contains(QLatin1String(c.reasonPart), Qt::CaseInsensitive))
        << "reason: " << loaded.error.toStdString();
}

QByteArray cut(QByteArray b, int n) {
    return b.left(n);
}
QByteArray with32(QByteArray b, int at, uint32_t v) {
    put32(b, at, v);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedFileTest,
    ::testing::Values(
        BadCase{"Empty", [](QByteArray) { return QByteArray(); }, "empty"},
        BadCase{"OnlyTheMagic", [](QByteArray b) { return cut(b, 2); }, "header"},
        BadCase{"CutInFileHeader", [](QByteArray b) { return cut(b, 10); }, "header"},
        BadCase{"CutInInfoHeader", [](QByteArray b) { return cut(b, 40); }, "header"},
        BadCase{"CutBeforePixels", [](QByteArray b) { return cut(b, 54); }, "cut short"},
        BadCase{"LastByteMissing", [](QByteArray b) { return cut(b, int(b.size()) - 1); },
                "cut short"},
        BadCase{"InfoSizeZero", [](QByteArray b) { return with32(b, 14, 0); }, "unknown size"},
        BadCase{"InfoSizeHuge", [](QByteArray b) { return with32(b, 14, 0xFFFFFFFFu); },
                "unknown size"},
        BadCase{"WidthZero", [](QByteArray b) { return with32(b, 18, 0); }, "impossible size"},
        BadCase{"WidthNegative", [](QByteArray b) { return with32(b, 18, 0xFFFFFFF6u); },
                "impossible size"},
        BadCase{"HeightZero", [](QByteArray b) { return with32(b, 22, 0); }, "impossible size"},
        BadCase{"HeightMostNegative", [](QByteArray b) { return with32(b, 22, 0x80000000u); },
                "impossible size"},
        BadCase{"WidthBeyondLimit", [](QByteArray b) { return with32(b, 18, 40000); }, "too large"},
        BadCase{"AreaBeyondLimit",
                [](QByteArray b) { return with32(with32(b, 18, 30000), 22, 30000); }, "too large"},
        BadCase{"PixelsBeyondTheEnd", [](QByteArray b) { return with32(b, 10, 0xFFFFFFF0u); },
                "cut short"},
        BadCase{"PixelsInsideTheHeader", [](QByteArray b) { return with32(b, 10, 20); },
                "inside its header"},
        BadCase{"TallerThanTheFile", [](QByteArray b) { return with32(b, 22, 7); }, "cut short"},
        BadCase{"NotAPicture", [](QByteArray) { return QByteArray("hello, world\n"); },
                "known format"},
        BadCase{"CutPng",
                [](QByteArray) {
                    QByteArray png;
                    QBuffer buf(&png);
                    buf.open(QIODevice::WriteOnly);
                    noiseImage(50, 50, 1).save(&buf, "PNG");
                    return png.left(png.size() / 2);
                },
                ""}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(PictureFileTest, MissingFilesAndFoldersAreRefusedWithAReason) {
    const tk::LoadedPicture missing = tk::LoadPicture(path(QStringLiteral("nothing.bmp")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("No such file")));
    const tk::LoadedPicture folder = tk::LoadPicture(dir.path());
    EXPECT_FALSE(folder.ok());
    EXPECT_TRUE(folder.error.contains(QStringLiteral("folder")));
    EXPECT_FALSE(tk::LoadPicture(QString()).ok());
}

// Random damage to the headers and random cuts: every outcome is either a
// picture of the size the header gives or a reason, never a crash or a
// half-read picture.
TEST_F(PictureFileTest, RandomlyDamagedHeadersNeverCrash) {
    const QImage source = noiseImage(9, 5, 9);
    QRandomGenerator rng(20240601);
    int loadedCount = 0;
    for (int round = 0; round < 3000; ++round) {
        BitmapKind kind;
        kind.bits = rng.bounded(2) == 0 ? 24 : 32;
        kind.topDown = rng.bounded(2) == 0;
        kind.infoSize = rng.bounded(2) == 0 ? 40 : 124;
        QByteArray bytes = makeBitmap(source, kind);
        const int flips = 1 + static_cast<int>(rng.bounded(4));
        for (int f = 0; f < flips; ++f) {
            const int at = static_cast<int>(rng.bounded(std::min<int>(70, int(bytes.size()))));
            bytes[at] = static_cast<char>(rng.bounded(256));
        }
        if (rng.bounded(4) == 0) {
            bytes.truncate(static_cast<int>(rng.bounded(int(bytes.size()) + 1)));
        }
        // A new file each round: rewriting one file makes the file system
        // flush it every time.
        const QString file = path(QStringLiteral("fuzz%1.bmp").arg(round));
        ASSERT_TRUE(writeFile(file, bytes));
        const tk::LoadedPicture loaded = tk::LoadPicture(file);
        QFile::remove(file);
        if (loaded.ok()) {
            ++loadedCount;
            EXPECT_TRUE(loaded.error.isEmpty());
            EXPECT_LE(uint64_t(loaded.image.width()) * loaded.image.height(),
                      uint64_t(bytes.size()) * 8);
        } else {
            EXPECT_FALSE(loaded.error.isEmpty()) << "round " << round;
        }
    }
    EXPECT_GT(loadedCount, 0);  // harmless damage (resolution, sizes) still loads
}

// ---------------------------------------------------------------------------
// The row conversions: the shuffling paths against the plain loops.

TEST(PixelRows, FastPathsAgreeWithThePlainLoopsForEveryLength) {
    QRandomGenerator rng(3);
    for (int count = 0; count <= 70; ++count) {
        std::vector<uint8_t> bgr(size_t(count) * 3 + 1);
        for (auto& b : bgr) {
            b = static_cast<uint8_t>(rng.bounded(256));
        }
        std::vector<uint32_t> fast(size_t(count) + 1, 0xDEADBEEF),
            plain(size_t(count) + 1, 0xDEADBEEF);
        tk::pixels::bgr24ToRgb32(bgr.data(), fast.data(), count);
        tk::pixels::bgr24ToRgb32Scalar(bgr.data(), plain.data(), count);
        ASSERT_EQ(fast, plain) << count;  // the guard word past the end included

        std::vector<uint8_t> back(size_t(count) * 3 + 16, 0x5A),
            backPlain(size_t(count) * 3 + 16, 0x5A);
        tk::pixels::rgb32ToBgr24(fast.data(), back.data(), count);
        tk::pixels::rgb32ToBgr24Scalar(fast.data(), backPlain.data(), count);
        ASSERT_EQ(back, backPlain) << count;
        ASSERT_TRUE(std::equal(bgr.begin(), bgr.begin() + count * 3, back.begin()));
    }
}

}  // namespace
