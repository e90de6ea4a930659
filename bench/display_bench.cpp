// How long a warm redraw of the calendar takes: on the main window's
// preview box at its first size, and on a 3840 x 2160 surface with the font
// size the preview rule gives it.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "calendar/MonthCalendar.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Rounding.h"
#include "toolkit/Units.h"

namespace {

void drawMonths(benchmark::State& state, QSize pixels) {
    tk::overrideDpi(96);
    auto paper = std::make_shared<tk::PictureSurface>(pixels);
    paper->setBackColor(0x00FFFFFF);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    paper->setFont(font);
    paper->setScaleMode(tk::Unit::Points);
    // The preview rule: 16 font sizes across, 9.5 down.
    const int32_t a = tk::roundToInt32(paper->ScaleWidth() / 16);
    const int32_t b = tk::roundToInt32(paper->ScaleHeight() / 9.5);
    paper->setFontSize(a < b ? a : b);
    state.counters["font_pt"] = paper->fontSize();

    MonthCalendar cal(QDate::currentDate());
    cal.setPaper(paper);
    const int32_t colours[] = {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF};
    for (int16_t k = 0; k < 4; ++k) {
        cal.setFontColor(k, colours[k]);
    }
    cal.setDisplayMonth(tk::makeSerialDate(2026, 12, 1));
    cal.Display();  // warm the glyph caches
    (void)paper->Image();
    for (auto _ : state) {
        cal.Display();
        // What the widget does when it paints: the drawing is finished.
        benchmark::DoNotOptimize(paper->Image().constBits());
    }
}

void BM_DisplayPreviewBox(benchmark::State& state) {
    drawMonths(state, QSize(304, 160));
}
void BM_Display3840x2160(benchmark::State& state) {
    drawMonths(state, QSize(3840, 2160));
}

BENCHMARK(BM_DisplayPreviewBox)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Display3840x2160)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tk::registerFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
