// Cost of the text value calls on a real hive file, and of the check a
// process runs before its first write.

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "system/desktop/NoneBackend.h"
#include "system/registry/Hive.h"
#include "system/registry/Registry.h"
#include "system/wallpaper/WallpaperStore.h"

namespace {

const QString kKey = QStringLiteral("Control Panel\\desktop");

// Each benchmark gets its own hive under a temporary XDG_CONFIG_HOME.
class TempConfig {
public:
    TempConfig() { qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit()); }
    ~TempConfig() { qunsetenv("XDG_CONFIG_HOME"); }

private:
    QTemporaryDir dir_;
};

void WriteTextExistingValue(benchmark::State& state) {
    TempConfig config;
    reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("WallpaperOriginX"),
                   QStringLiteral("0"));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reg::writeText(reg::Root::CurrentUser, kKey,
                                                QStringLiteral("WallpaperOriginX"),
                                                QString::number(++i)));
    }
}
BENCHMARK(WriteTextExistingValue)->Unit(benchmark::kMicrosecond);

void ReadTextExistingValue(benchmark::State& state) {
    TempConfig config;
    reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper"),
                   QStringLiteral("/home/user/.local/share/tessaryn/Tessavel.bmp"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper")));
    }
}
BENCHMARK(ReadTextExistingValue)->Unit(benchmark::kMicrosecond);

void ReadTextNoHive(benchmark::State& state) {
    TempConfig config;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper")));
    }
}
BENCHMARK(ReadTextNoHive)->Unit(benchmark::kMicrosecond);

// The four reads at the start of every placement.
void WallpaperStoreLoadFullHive(benchmark::State& state) {
    TempConfig config;
    for (const char* name :
         {"Wallpaper", "WallpaperOriginX", "WallpaperOriginY", "TileWallpaper"}) {
        reg::writeText(reg::Root::CurrentUser, kKey, QLatin1String(name), QStringLiteral("1"));
    }
    desktop::NoneBackend none;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sys::WallpaperStore(none).load());
    }
}
BENCHMARK(WallpaperStoreLoadFullHive)->Unit(benchmark::kMicrosecond);

// A hive of 10,000 values (100 keys of 100 values each), at `path`.
void fillHive(const QString& path) {
    reg::Hive hive(path, reg::Hive::Mode::Write);
    for (int k = 0; k < 100; ++k) {
        const QByteArray key = "Software\\Bench\\Key" + QByteArray::number(k);
        for (int v = 0; v < 100; ++v) {
            hive.setValue(
                reg::Root::CurrentUser, key, "Value" + QByteArray::number(v), reg::ValueType::Text,
                "/usr/share/images/desktop-base/picture-" + QByteArray::number(v) + ".png", true);
        }
    }
}

// The whole-file check the hive runs before a process's first write, and the
// cheaper one it could run instead, on 10,000 values.
void HiveCheck10000Values(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.sqlite3"));
    fillHive(path);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    const char* sql = state.range(0) == 0 ? "PRAGMA integrity_check(1)" : "PRAGMA quick_check(1)";
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        benchmark::DoNotOptimize(sqlite3_step(st));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    state.SetLabel(state.range(0) == 0 ? "integrity_check" : "quick_check");
}
BENCHMARK(HiveCheck10000Values)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One write as the first of a process (a fresh connection: open, check,
// write) against one on a connection that already wrote, on 10,000 values.
void HiveWrite10000Values(benchmark::State& state) {
    QTemporaryDir dir;
    const QString paths[] = {dir.filePath(QStringLiteral("a.sqlite3")),
                             dir.filePath(QStringLiteral("b.sqlite3"))};
    fillHive(paths[0]);
    QFile::copy(paths[0], paths[1]);
    const bool first = state.range(0) == 0;
    int i = 0;
    for (auto _ : state) {
        // Alternating between two files makes every connection a new one.
        reg::Hive hive(paths[first ? i % 2 : 0], reg::Hive::Mode::Write);
        benchmark::DoNotOptimize(hive.setValue(reg::Root::CurrentUser, "Control Panel\\desktop",
                                               "Wallpaper", reg::ValueType::Text,
                                               QByteArray::number(++i), true));
    }
    state.SetLabel(first ? "first write of a process" : "later write");
}
BENCHMARK(HiveWrite10000Values)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
