// The two slow steps of a placement on an 8K wallpaper (7680 x 4320), each
// against what the disk needs anyway, in one run:
//   load:   reading the wallpaper bitmap (the program's own output, the usual
//           case), against `cat FILE > /dev/null` with the file cached;
//           target: at most 1.5x.
//   finish: the placement window's double-click (image to picture, saving
//           Tessavel.bmp, applying it with the embedded desktop), against
//           `dd` writing as many bytes into the same folder with
//           conv=fsync (the save flushes too); target: at most 2x.
//   png:    the PNG copy handed to a desktop whose image loaders lack BMP,
//           against the finish; target: at most 1x (the finish at most doubles).
// Qt's own bitmap reader and writer are timed alongside for scale, and the
// load also against filling new memory of the picture's size (127 MiB of
// 32-bit pixels, by two threads), which any load into memory pays.
// Usage: placement_bench [RUNS] [FOLDER]  (FOLDER: where XDG_DATA_HOME goes)
#include <sys/mman.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "placement/CalendarChoice.h"
#include "placement/PlacementWindow.h"
#include "system/desktop/NoneBackend.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Clock.h"
#include "toolkit/Messages.h"
#include "toolkit/PictureBox.h"
#include "toolkit/fontdialog/Dialogs.h"
#include "toolkit/picture/PictureFile.h"

#include "BenchTiming.h"

using placement::CalendarChoice;
using placement::PlacementWindow;

namespace {

using bench::Clock;
using bench::median;
using bench::millis;
using bench::timed;
using bench::wallpaper8k;

// Runs a command with its output thrown away; the time includes starting it,
// as a shell would.
void run(const std::vector<QByteArray>& args) {
    int status = 0;
    waitpid(bench::spawnQuiet(args), &status, 0);
    bench::requireSuccess(status, args.front());
}

class Choice : public CalendarChoice {
public:
    int year() const override { return 2026; }
    int month() const override { return 3; }
    int32_t kindColor(int index) const override {
        static const int32_t colors[] = {0xFFFFFF, 0x0000FF, 0xFF0000, 0x00FFFF};
        return colors[index];
    }
};

// New memory of `bytes`, as the loader takes it (huge pages where there
// are), filled by two threads and given back.
void fillNewMemory(std::size_t bytes) {
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::exit(2);
    }
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    auto* p = static_cast<char*>(memory);
    std::thread second([&] { std::memset(p + bytes / 2, 1, bytes - bytes / 2); });
    std::memset(p, 1, bytes / 2);
    second.join();
    ::munmap(memory, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("TESSARYN_DESKTOP");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    QTemporaryDir scratch(argc > 2
                              ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/bench-XXXXXX")
                              : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    if (!scratch.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        return 2;
    }
    qputenv("XDG_DATA_HOME", scratch.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toLocal8Bit());
    const QString windowsDir = scratch.filePath(QStringLiteral("data/tessaryn"));
    QDir().mkpath(windowsDir);
    struct statfs fs {};
    statfs(QFile::encodeName(windowsDir).constData(), &fs);
    std::printf("folder %s (file system type 0x%lx), %d runs each, medians\n",
                qPrintable(windowsDir), static_cast<unsigned long>(fs.f_type), runs);

    const QImage wall = wallpaper8k();
    const QString wallFile = scratch.filePath(QStringLiteral("wall.bmp"));
    if (!tk::SavePictureAsBitmap(wall, wallFile).ok) {
        std::fprintf(stderr, "cannot write the wallpaper\n");
        return 2;
    }
    const qint64 bytes = QFileInfo(wallFile).size();
    std::printf("wallpaper 7680 x 4320, %lld bytes\n", static_cast<long long>(bytes));

    // --- load -------------------------------------------------------------
    const QByteArray wallPath = QFile::encodeName(wallFile);
    run({"cat", wallPath});  // warm the cache
    std::vector<double> cat, load, qtLoad, fresh;
    for (int i = 0; i < runs; ++i) {
        cat.push_back(timed([&] { run({"cat", wallPath}); }));
        fresh.push_back(timed([&] { fillNewMemory(std::size_t(wall.sizeInBytes())); }));
        load.push_back(timed([&] {
            const tk::LoadedPicture p = tk::LoadPicture(wallFile);
            if (!p.ok()) {
                std::fprintf(stderr, "load failed: %s\n", qPrintable(p.error));
                std::exit(2);
            }
        }));
        qtLoad.push_back(timed([&] { QImageReader(wallFile).read(); }));
    }
    const double loadRatio = median(load) / median(cat);
    std::printf(
        "load:   cat %.1f ms, LoadPicture %.1f ms, ratio %.2f (target <= 1.5); Qt's reader %.1f ms "
        "(%.1fx cat)\n",
        median(cat), median(load), loadRatio, median(qtLoad), median(qtLoad) / median(cat));
    std::printf(
        "        new memory of the picture's size, filled: %.1f ms (%.1fx cat; LoadPicture %.2fx "
        "that)\n",
        median(fresh), median(fresh) / median(cat), median(load) / median(fresh));

    // --- finish -----------------------------------------------------------
    Choice choice;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(40);
    std::vector<double> dd, ddReplace, finish, qtSave;
    const QByteArray ddOut = QFile::encodeName(windowsDir + QStringLiteral("/dd.out"));
    const QByteArray count = "count=" + QByteArray::number(bytes);
    for (int i = 0; i < runs; ++i) {
        QFile::remove(QString::fromLocal8Bit(ddOut));
        dd.push_back(timed([&] {
            run({"dd", "if=/dev/zero", "of=" + ddOut, "bs=1M", count, "iflag=count_bytes",
                 "conv=fsync", "status=none"});
        }));
        // The same over the existing file of that size: the old blocks are
        // freed as well, as when Tessavel.bmp is replaced.
        ddReplace.push_back(timed([&] {
            run({"dd", "if=/dev/zero", "of=" + ddOut, "bs=1M", count, "iflag=count_bytes",
                 "conv=fsync", "status=none"});
        }));
        QFile::remove(QString::fromLocal8Bit(ddOut));

        // A window as the placement leaves it after a preview (not timed).
        sys::WallpaperSettings settings;
        desktop::NoneBackend none;
        tk::MessageBoxes messages;
        tk::ModalDialogs dialogs;
        const tk::SystemClock clock;
        auto* form = new PlacementWindow(choice, settings, {none, messages, dialogs, clock});
        form->wallpaperView->surface()->setFont(font);
        form->wallpaperView->setPicture(tk::LoadPicture(wallFile).image);
        form->resize(form->wallpaperView->size());
        form->calendarPicture->setPicture(QImage(800, 400, QImage::Format_RGB32));
        form->calendarPicture->move(1000, 600);
        form->previewPlacement();
        finish.push_back(timed([&] { form->finishPlacement(); }));
        if (!form->isClosing()) {
            std::fprintf(stderr, "the finish failed\n");
            return 2;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        qtSave.push_back(timed([&] {
            QFile f(windowsDir + QStringLiteral("/qt.bmp"));
            f.open(QIODevice::WriteOnly);
            wall.save(&f, "BMP");
            f.flush();
            ::fsync(f.handle());
        }));
        QFile::remove(windowsDir + QStringLiteral("/qt.bmp"));
    }
    const double finishRatio = median(finish) / median(dd);
    std::printf(
        "finish: dd to a new file %.1f ms, finish (replacing Tessavel.bmp) %.1f ms, ratio %.2f "
        "(target <= 2)\n",
        median(dd), median(finish), finishRatio);
    std::printf(
        "        dd over an existing file %.1f ms (finish %.2fx that); Qt's writer + fsync %.1f ms "
        "(%.1fx dd)\n",
        median(ddReplace), median(finish) / median(ddReplace), median(qtSave),
        median(qtSave) / median(dd));

    // --- PNG copy -----------------------------------------------------------
    // A desktop whose image loaders lack BMP is handed a PNG copy as well;
    // written with light compression it must not double the finish.
    std::vector<double> pngCopy, pngDefault;
    const QString pngDir = windowsDir + QStringLiteral("/png");
    for (int i = 0; i < runs; ++i) {
        QString error;
        pngCopy.push_back(timed([&] {
            desktop::makeShownCopy(wallFile, {}, desktop::CopyFormat::Png, &error, pngDir);
        }));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "the PNG copy failed: %s\n", qPrintable(error));
            return 2;
        }
    }
    pngDefault.push_back(timed([&] { wall.save(pngDir + QStringLiteral("/default.png"), "PNG"); }));
    const double pngRatio = median(pngCopy) / median(finish);
    std::printf(
        "png:    PNG copy %.1f ms, %.2fx the finish (target <= 1); Qt's default level %.1f ms\n",
        median(pngCopy), pngRatio, median(pngDefault));

    const bool ok = loadRatio <= 1.5 && finishRatio <= 2 && pngRatio <= 1;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
