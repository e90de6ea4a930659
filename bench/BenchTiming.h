#pragma once
// What the wallpaper benchmarks share: a wall-clock timer, the median of
// runs, and an 8K wallpaper with detail in every row.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double timed(const std::function<void()>& f) {
    const auto t0 = Clock::now();
    f();
    return millis(Clock::now() - t0);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Starts a command as a shell would (found on PATH), its standard output
// thrown away; exits the benchmark when it cannot be started.
inline pid_t spawnQuiet(const std::vector<QByteArray>& args) {
    std::vector<char*> argv;
    for (const QByteArray& a : args) {
        argv.push_back(const_cast<char*>(a.constData()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot run %s\n", argv[0]);
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Exits the benchmark when a command it ran did not succeed.
inline void requireSuccess(int status, const QByteArray& program) {
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.constData());
        std::exit(2);
    }
}

// Waits for the child `pid` and gives its exit status and its peak resident
// memory in MiB, read from /proc while it runs. (wait4's ru_maxrss would also
// count the peak of the large benchmark that spawned it: posix_spawn runs the
// child in the parent's memory until exec, and exec keeps that peak.)
inline int waitMeasuringPeak(pid_t pid, double* peakMiB) {
    *peakMiB = 0;
    int status = 0;
    const QString statusFile = QStringLiteral("/proc/%1/status").arg(pid);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        QFile f(statusFile);
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : f.readAll().split('\n')) {
                if (line.startsWith("VmHWM:")) {
                    const double kb = line.mid(6).trimmed().split(' ').value(0).toDouble();
                    *peakMiB = std::max(*peakMiB, kb / 1024);
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return status;
}

inline QImage wallpaper8k() {
    QImage img(7680, 4320, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            row[x] = qRgb(x / 30, y / 17, (x ^ y) & 0xFF);
        }
    }
    return img;
}

}  // namespace bench
