// "tessaryn compose" of an 8K bitmap (7680 x 4320, 99.5 MB) into a bitmap,
// timed as a whole process against what the disk needs for the same bytes
// anyway: `cat` reading the picture plus `dd conv=fsync` writing as many
// bytes into the same folder, run in pairs. Targets: at most 1.35x, with a
// peak resident memory of at most 200 MiB. Exits 1 when either is missed.
// Usage: compose_bench TESSARYN [RUNS] [FOLDER]  (FOLDER: where the files go)
#include <sys/wait.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "BenchTiming.h"
#include "toolkit/picture/PictureFile.h"

namespace {

struct Run {
    double ms = 0;
    double peakMiB = 0;
};

// Runs a command as a shell would, its output thrown away.
Run run(const std::vector<QByteArray>& args) {
    const auto t0 = bench::Clock::now();
    const pid_t pid = bench::spawnQuiet(args);
    Run r;
    const int status = bench::waitMeasuringPeak(pid, &r.peakMiB);
    r.ms = bench::millis(bench::Clock::now() - t0);
    bench::requireSuccess(status, args.front());
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: compose_bench TESSARYN [RUNS] [FOLDER]\n");
        return 2;
    }
    const QByteArray program = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    QTemporaryDir dir(QString::fromLocal8Bit(argc > 3 ? argv[3] : "/var/tmp") +
                      QStringLiteral("/compose-bench-XXXXXX"));
    const QString base = dir.filePath(QStringLiteral("wall.bmp"));
    if (!tk::SavePictureAsBitmap(bench::wallpaper8k(), base).ok) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(base));
        return 2;
    }
    const QByteArray bytes = QByteArray::number(QFileInfo(base).size());
    const QByteArray in = QFile::encodeName(base);
    const QByteArray out = QFile::encodeName(dir.filePath(QStringLiteral("out.bmp")));
    const QByteArray ddOut = QFile::encodeName(dir.filePath(QStringLiteral("dd.out")));
    const std::vector<QByteArray> compose{program,  "compose", "--base", in,     "--year",
                                          "2027",   "--month", "3",      "--at", "5200,2900",
                                          "--size", "48",      "--out",  out};
    run({"cat", in});  // the picture in the page cache, as a wallpaper is

    std::vector<double> anchors, times, ratios, peaks;
    for (int i = 0; i < runs; ++i) {
        const double cat = run({"cat", in}).ms;
        const double dd = run({"dd", "if=/dev/zero", "of=" + ddOut, "bs=4M", "iflag=count_bytes",
                               "count=" + bytes, "conv=fsync"})
                              .ms;
        const Run c = run(compose);
        anchors.push_back(cat + dd);
        times.push_back(c.ms);
        ratios.push_back(c.ms / (cat + dd));
        peaks.push_back(c.peakMiB);
    }
    const double ratio = bench::median(ratios);
    const double peak = *std::max_element(peaks.begin(), peaks.end());
    std::printf("compose of an 8K bitmap, %d paired runs (medians)\n", runs);
    std::printf("  cat + dd conv=fsync   %8.1f ms\n", bench::median(anchors));
    std::printf("  tessaryn compose      %8.1f ms  %.2fx  (target <= 1.35x)\n",
                bench::median(times), ratio);
    std::printf("  peak memory           %8.1f MiB      (target <= 200 MiB)\n", peak);
    const bool ok = ratio <= 1.35 && peak <= 200;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
