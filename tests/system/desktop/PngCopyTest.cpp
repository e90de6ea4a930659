// The PNG copy handed to desktops that cannot read bitmaps: big enough here
// to span several of the writer's pieces, with rows that need padding.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "system/desktop/PngCopy.h"

namespace {

QImage stripes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x] = qRgb((x * 7 + y) & 0xff, (y * 3) & 0xff, (x ^ y) & 0xff);
        }
    }
    return image;
}

TEST(PngCopy, ShowsTheSamePixelsFromABitmapOrAnyOtherPicture) {
    QTemporaryDir dir;
    const QImage picture = stripes(1021, 700);  // 2.1 MB of rows, three bytes of padding each
    for (const char* format : {"BMP", "PNG"}) {
        const QString source = dir.filePath(QStringLiteral("source.") + QLatin1String(format));
        ASSERT_TRUE(picture.save(source, format));
        const QString copy = dir.filePath(QStringLiteral("copy.png"));
        ASSERT_EQ(desktop::writePngCopy(source, copy), QString()) << format;
        const QImage shown(copy);
        ASSERT_FALSE(shown.isNull()) << format;
        EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), picture) << format;
    }
}

TEST(PngCopy, APictureThatCannotBeLoadedLeavesNoCopy) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("broken.bmp"));
    QFile broken(source);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("BM not a picture") > 0);
    broken.close();
    const QString copy = dir.filePath(QStringLiteral("copy.png"));
    EXPECT_FALSE(desktop::writePngCopy(source, copy).isEmpty());
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("broken.bmp")});
}

}  // namespace
