// Cost of the registry string calls on a real hive file: every call opens
// the hive, runs one transaction and closes it again.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "system/registry/RegString.h"
#include "system/wallpaper/WallpaperSettings.h"

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

void RegSetStringExistingValue(benchmark::State& state) {
    TempConfig config;
    Module1::RegSetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("WallpaperOriginX"),
                          QStringLiteral("0"));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Module1::RegSetString(reg::HKEY_CURRENT_USER, kKey,
                                                       QStringLiteral("WallpaperOriginX"),
                                                       QString::number(++i)));
    }
}
BENCHMARK(RegSetStringExistingValue)->Unit(benchmark::kMicrosecond);

void RegGetStringExistingValue(benchmark::State& state) {
    TempConfig config;
    Module1::RegSetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper"),
                          QStringLiteral("/home/user/.local/share/tessaryn/Tessavel.bmp"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Module1::RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper")));
    }
}
BENCHMARK(RegGetStringExistingValue)->Unit(benchmark::kMicrosecond);

void RegGetStringNoHive(benchmark::State& state) {
    TempConfig config;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Module1::RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper")));
    }
}
BENCHMARK(RegGetStringNoHive)->Unit(benchmark::kMicrosecond);

// The four reads at the start of every placement.
void LoadWallpaperSettingsFullHive(benchmark::State& state) {
    TempConfig config;
    for (const char* name :
         {"Wallpaper", "WallpaperOriginX", "WallpaperOriginY", "TileWallpaper"}) {
        Module1::RegSetString(reg::HKEY_CURRENT_USER, kKey, QLatin1String(name),
                              QStringLiteral("1"));
    }
    for (auto _ : state) {
        Module1::LoadWallpaperSettings();
    }
}
BENCHMARK(LoadWallpaperSettingsFullHive)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
