// The markup renderer as the planner calls it for every visible item: measure and paint
// a typical item text, and hit-test it on a mouse move.
#include "markup/htmldraw.h"

#include "platform/canvas.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

// About 80 characters of text with bold, italic, a coloured run and one link.
const QString ItemText = QStringLiteral(
    "<B>Rehearsal</B> with the quartet at <I>Studio Four</I>: "
    "<FONT COLOR=\"clRed\">bring the new charts</FONT>, see <A href=\"map\">the map</A>");

const TRect ItemRect(0, 0, 200, 60);

void PrepareCanvas(TCanvas& canvas)
{
    canvas.Font().SetName(QStringLiteral("DejaVu Sans"));
    canvas.Font().SetHeight(-11);
    canvas.Font().SetColor(clBlack);
    canvas.Brush().SetColor(clWhite);
}

void BM_HTMLDrawExItemText(benchmark::State& state)
{
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    PrepareCanvas(canvas);
    THTMLDrawParams measure;
    measure.MeasureOnly = true;
    THTMLDrawParams paint;
    THTMLDrawResult result;
    for (auto _ : state) {
        HTMLDrawEx(canvas, ItemText, ItemRect, measure, result);
        HTMLDrawEx(canvas, ItemText, ItemRect, paint, result);
        benchmark::DoNotOptimize(result.YSize);
    }
    canvas.ReleasePainter();
    benchmark::DoNotOptimize(image.pixel(10, 10));
}
BENCHMARK(BM_HTMLDrawExItemText)->Unit(benchmark::kMicrosecond);

void BM_HTMLDrawExHitTest(benchmark::State& state)
{
    QImage image(200, 60, QImage::Format_RGB32);
    TCanvas canvas(&image);
    PrepareCanvas(canvas);
    THTMLDrawParams params;
    params.HitTestOnly = true;
    THTMLDrawResult result;
    // Find a point on the link once, then hit-test it as a mouse move would.
    for (int y = 0; y < 60 && result.MouseLink < 0; y += 2) {
        for (int x = 0; x < 200 && result.MouseLink < 0; x += 2) {
            params.XPos = x;
            params.YPos = y;
            HTMLDrawEx(canvas, ItemText, ItemRect, params, result);
        }
    }
    if (result.MouseLink != 1) state.SkipWithError("the link was not found");
    for (auto _ : state) {
        const bool hit = HTMLDrawEx(canvas, ItemText, ItemRect, params, result);
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_HTMLDrawExHitTest)->Unit(benchmark::kMicrosecond);

} // namespace
