// A gradient band fill as the month view and item bars paint it, and the item search
// test run once per item when the user searches a planner.
#include "markup/drawutils.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

void BM_DrawGradient(benchmark::State& state)
{
    QImage image(200, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    const TRect r(0, 0, 200, 24);
    for (auto _ : state) {
        DrawGradient(canvas, RGB(0, 64, 160), clWhite, 64, r, true);
        benchmark::ClobberMemory();
    }
    canvas.ReleasePainter();
    benchmark::DoNotOptimize(image.pixel(199, 23));
}
BENCHMARK(BM_DrawGradient);

void BM_MatchStr(benchmark::State& state)
{
    const QString pattern = QStringLiteral("*blue note* & >2024 ; !*cancel*");
    const QString text = QStringLiteral("Gig at the Blue Note, Friday late set (load-in 18:00)");
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchStr(pattern, text, false));
}
BENCHMARK(BM_MatchStr);

} // namespace
