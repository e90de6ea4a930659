// Files the program is pointed at: a FIFO or device never makes it wait, a
// large slideshow loads, and every writer replaces the file behind a link
// and refuses what is no regular file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "system/AtomicWrite.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PictureFile.h"

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

mode_t typeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// Loads `path` while a writer, after two seconds, releases any reader left
// waiting on `fifo`: a load that waited shows in its time.
qint64 loadMillis(const QString& path, const QString& fifo, QString* error) {
    std::atomic<bool> done{false};
    std::thread release([&] {
        for (int ticks = 0; !done; ++ticks) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const int fd = ticks < 40
                               ? -1
                               : ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    });
    QElapsedTimer clock;
    clock.start();
    *error = tk::LoadPicture(path).error;
    const qint64 ms = clock.elapsed();
    done = true;
    release.join();
    return ms;
}

TEST(FileSafety, PicturesNamingAFifoAreRefusedAtOnce) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("f");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    put(dir.filePath("bg.xml"), "<background><static><duration>9</duration><file>" + fifo.toUtf8() +
                                    "</file></static></background>");
    const QByteArray svg =
        "<svg xmlns='http://www.w3.org/2000/svg' "
        "xmlns:xlink='http://www.w3.org/1999/xlink' width='40' height='30'>"
        "<image width='40' height='30' xlink:href='";
    put(dir.filePath("abs.svg"), svg + fifo.toUtf8() + "'/></svg>");
    put(dir.filePath("rel.svg"), svg + "f'/></svg>");
    put(dir.filePath("nest.svg"), svg + "rel.svg'/></svg>");
    for (const char* name : {"f", "bg.xml", "abs.svg", "rel.svg", "nest.svg"}) {
        QString error;
        EXPECT_LT(loadMillis(dir.filePath(name), fifo, &error), 1500) << name;
        EXPECT_TRUE(error.contains("FIFO")) << name << ": " << error.toStdString();
    }
    QString error;
    loadMillis("/dev/zero", fifo, &error);
    EXPECT_TRUE(error.contains("device")) << error.toStdString();
}

TEST(FileSafety, SlideshowsUpTo32MiBLoad) {
    QTemporaryDir dir;
    QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("p.png"));
    QByteArray xml = "<background><starttime><year>2020</year></starttime>";
    const QByteArray slide = "<static><duration>60.0</duration><file>" +
                             dir.filePath("p.png").toUtf8() + "</file></static>";
    for (int i = 0; i < 100000; ++i) {
        xml += slide;
    }
    xml += "</background>";
    put(dir.filePath("show.xml"), xml);
    const tk::LoadedPicture show = tk::LoadPicture(dir.filePath("show.xml"));
    EXPECT_TRUE(show.ok()) << xml.size() << " bytes: " << show.error.toStdString();
    put(dir.filePath("huge.xml"), xml + "<!--" + QByteArray((33 << 20) - xml.size(), ' ') + "-->");
    EXPECT_TRUE(tk::LoadPicture(dir.filePath("huge.xml")).error.contains("32 MiB"));
}

// Each writer: through a link the file behind it changes and the link stays;
// a FIFO, socket, folder (and as root a device) is refused and left alone.
TEST(FileSafety, WritersFollowLinksAndRefuseWhatIsNoRegularFile) {
    QTemporaryDir dir;
    const QString source = dir.filePath("source.bmp");
    const QImage picture(4, 3, QImage::Format_RGB32);
    ASSERT_TRUE(tk::SavePictureAsBitmap(picture, source).ok);
    const std::function<QString(const QString&)> writers[] = {
        [&](const QString& to) { return tk::SavePictureAsBitmap(picture, to).error; },
        [&](const QString& to) {
            QString error;
            sys::replaceFileAtomically(to, "[a]\n", &error);
            return error;
        },
        [&](const QString& to) { return sys::copyFileAtomically(source, to); },
        [&](const QString& to) { return tk::copyFileHashed(source, to).error; }};
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(dir.filePath("socket"));
    std::strncpy(address.sun_path, socketName.constData(), sizeof address.sun_path - 1);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    QStringList refused{"fifo", "folder", "socket"};
    if (::geteuid() == 0 && ::mknod(QFile::encodeName(dir.filePath("null")).constData(),
                                    S_IFCHR | 0666, makedev(1, 3)) == 0) {
        refused << "null";
    }
    for (const auto& write : writers) {
        put(dir.filePath("real"), "old");
        QFile::remove(dir.filePath("link"));
        ASSERT_TRUE(QFile::link("real", dir.filePath("link")));
        EXPECT_EQ(write(dir.filePath("link")), QString());
        EXPECT_EQ(typeOf(dir.filePath("link")), S_IFLNK);
        EXPECT_GT(QFileInfo(dir.filePath("real")).size(), 3);
        for (const QString& name : refused) {
            const mode_t before = typeOf(dir.filePath(name));
            QFile::remove(dir.filePath("to-" + name));
            QFile::link(name, dir.filePath("to-" + name));
            for (const QString& target : {name, "to-" + name}) {
                EXPECT_FALSE(write(dir.filePath(target)).isEmpty()) << target.toStdString();
                EXPECT_EQ(typeOf(dir.filePath(name)), before) << target.toStdString();
            }
        }
    }
    ::close(sock);
    // Nothing half-written stays behind.
    const QStringList all =
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    EXPECT_TRUE(all.filter(QRegularExpression("^\\.")).isEmpty()) << all.join(' ').toStdString();
}

// A temporary file that no writer holds locked is a leftover of one that
// died, and the next write beside it removes it; one still held stays.
TEST(FileSafety, WritesRemoveTheLeftoversOfWritersThatDied) {
    QTemporaryDir dir;
    const QString dead = dir.filePath(".t.ini.0badf00d.tmp");
    const QString held = dir.filePath(".t.ini.0000beef.tmp");
    put(dead, "x");
    put(held, "y");
    const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(sys::replaceFileAtomically(dir.filePath("t.ini"), "[a]\n"));
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_TRUE(QFile::exists(held));
    ::close(fd);
}

}  // namespace
