// Renewing the calendar on an 8K wallpaper (7680 x 4320) for a new month,
// against what a placement costs for the same picture:
//   refresh: "tessaryn refresh" in-process (the kept original loaded, the
//            calendar drawn, Tessavel.bmp saved and applied with the
//            embedded desktop, the record updated);
//   against: loading the original bitmap plus the placement window's finish
//            (as bench/placement_bench times it); target: at most 1.2x, with a
//            peak resident memory of at most 200 MiB.
// Also: the first finish on a new original, which keeps a copy of it, and
// the peak memory of the real program running one refresh.
// Usage: refresh_bench TESSARYN [RUNS] [FOLDER]  (FOLDER: where XDG_DATA_HOME goes)
#include <sys/wait.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "cli/RecordCommands.h"
#include "composition/FinishRecord.h"
#include "placement/CalendarChoice.h"
#include "placement/PlacementWindow.h"
#include "system/desktop/NoneBackend.h"
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

class Choice : public CalendarChoice {
public:
    int year() const override { return QDate::currentDate().year(); }
    int month() const override { return QDate::currentDate().month(); }
    int32_t kindColor(int index) const override {
        static const int32_t colors[] = {0xFFFFFF, 0x0000FF, 0xFF0000, 0x00FFFF};
        return colors[index];
    }
};

// One finish as the placement window does it, after a preview.
double timedFinish(const QString& wallFile, const QFont& font) {
    Choice choice;
    sys::WallpaperSettings settings;
    settings.picture = wallFile;  // as the placement start reads it
    desktop::NoneBackend none;
    tk::MessageBoxes messages;
    tk::ModalDialogs dialogs;
    const tk::SystemClock clock;
    auto* form = new PlacementWindow(choice, settings, {none, messages, dialogs, clock});
    form->wallpaperView->surface()->setFont(font);
    {
        const tk::LoadedPicture loaded = tk::LoadPicture(wallFile);
        form->wallpaperView->setPicture(loaded.image);
        form->setWallpaperHash(loaded.contentHash);  // as the placement start hands it on
    }
    form->resize(form->wallpaperView->size());
    form->calendarPicture->setPicture(QImage(800, 400, QImage::Format_RGB32));
    form->calendarPicture->move(1000, 600);
    form->previewPlacement();
    const double ms = timed([&] { form->finishPlacement(); });
    if (!form->isClosing()) {
        std::fprintf(stderr, "the finish failed\n");
        std::exit(2);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
}

// The peak resident size of the real program running one refresh, in MiB.
double refreshPeakMb(const QByteArray& program, const QByteArray& date) {
    double peak = 0;
    const int status =
        bench::waitMeasuringPeak(bench::spawnQuiet({program, "refresh", "--date", date}), &peak);
    bench::requireSuccess(status, program);
    return peak;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: refresh_bench TESSARYN [RUNS] [FOLDER]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TESSARYN_DESKTOP", "none");
    const QByteArray program =
        QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath().toLocal8Bit();
    QApplication app(argc, argv);
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 5;
    QTemporaryDir scratch(argc > 3
                              ? QString::fromLocal8Bit(argv[3]) + QStringLiteral("/bench-XXXXXX")
                              : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    if (!scratch.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        return 2;
    }
    qputenv("XDG_DATA_HOME", scratch.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toLocal8Bit());
    QDir().mkpath(scratch.filePath(QStringLiteral("data/tessaryn")));

    const QString wallFile = scratch.filePath(QStringLiteral("wall.bmp"));
    if (!tk::SavePictureAsBitmap(wallpaper8k(), wallFile).ok) {
        std::fprintf(stderr, "cannot write the wallpaper\n");
        return 2;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(40);
    std::printf("wallpaper 7680 x 4320, %lld bytes, %d runs each, medians\n",
                static_cast<long long>(QFileInfo(wallFile).size()), runs);

    // The first finish on this original keeps a copy of it.
    const double firstFinish = timedFinish(wallFile, font);

    std::vector<double> load, finish, refreshMs;
    const QDate today = QDate::currentDate();
    for (int i = 0; i < runs; ++i) {
        load.push_back(timed([&] {
            if (!tk::LoadPicture(wallFile).ok()) {
                std::fprintf(stderr, "load failed\n");
                std::exit(2);
            }
        }));
        finish.push_back(timedFinish(wallFile, font));
        // Each refresh renews for another month than the picture shows.
        for (int m = 1; m <= 2; ++m) {
            cli::RefreshOptions o;
            o.date = today.addMonths(m);
            const double ms = timed([&] {
                if (cli::refreshWallpaper(o) != 0) {
                    std::fprintf(stderr, "refresh failed\n");
                    std::exit(2);
                }
            });
            if (m == 1) {
                refreshMs.push_back(ms);
            }
        }
    }
    const double base = median(load) + median(finish);
    const double ratio = median(refreshMs) / base;
    std::printf(
        "load %.1f ms + finish %.1f ms = %.1f ms; refresh %.1f ms, ratio %.2f (target <= 1.2)\n",
        median(load), median(finish), base, median(refreshMs), ratio);
    std::printf("first finish on a new original (keeps a copy of it): %.1f ms\n", firstFinish);

    const double peak =
        refreshPeakMb(program, today.addMonths(3).toString(Qt::ISODate).toLocal8Bit());
    std::printf(
        "peak resident memory of tessaryn refresh on the 8K wallpaper: %.0f MiB (target <= 200)\n",
        peak);

    const bool ok = ratio <= 1.2 && peak <= 200;
    std::printf("%s\n", ok ? "target met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
