// How long a warm redraw of the calendar takes: on the main window's
// preview box at its first size, and on a 3840 x 2160 surface with the font
// size the preview rule gives it.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "calendar/MonthDrawing.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Rounding.h"
#include "toolkit/Units.h"

namespace {

void drawMonths(benchmark::State& state, QSize pixels) {
    tk::overrideDpi(96);
    auto paper = std::make_shared<tk::PictureSurface>(pixels);
    paper->setBackColor(0x00FFFFFF);
    paper->setScaleMode(tk::Unit::Points);
    // The preview rule: 16 font sizes across, 9.5 down.
    const int32_t a = tk::roundToInt32(paper->scaleWidth() / 16);
    const int32_t b = tk::roundToInt32(paper->scaleHeight() / 9.5);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(a < b ? a : b);
    state.counters["font_pt"] = font.pointSizeF();

    const calendar::CalendarStyle style = calendar::styleFor(
        font, {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF}, paper->palette());
    const auto draw = [&] {
        paper->clear();
        calendar::drawMonth(*paper, QPointF(0, 0), QDate(2026, 12, 1), style);
    };
    draw();  // warm the glyph caches
    (void)paper->image();
    for (auto _ : state) {
        draw();
        // What the widget does when it paints: the drawing is finished.
        benchmark::DoNotOptimize(paper->image().constBits());
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
