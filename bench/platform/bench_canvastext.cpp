// Canvas text as every painter uses it: measuring, fitting and drawing one line of a
// typical length, for text the font's tables serve and for text that needs shaping. The
// metrics' own shaped measuring is there to compare with.
#include "platform/canvas.h"

#include <benchmark/benchmark.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

const QString Latin =
    QStringLiteral("Rehearsal with the quartet at Studio Four: bring the new charts, see the map");
// Right-to-left text: shaped whatever the font.
const QString Hebrew = QStringLiteral("חזרה עם הרביעייה באולפן ארבע: להביא את התווים");

void UseFont(TCanvas& canvas)
{
    canvas.Font().SetName(QStringLiteral("DejaVu Sans"));
    canvas.Font().SetHeight(-11);
    canvas.Font().SetColor(clBlack);
    canvas.Brush().SetStyle(bsClear);
}

void MeasureLine(benchmark::State& state, const QString& text)
{
    QImage image(500, 30, QImage::Format_RGB32);
    TCanvas canvas(&image);
    UseFont(canvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(canvas.TextWidth(text));
}

void BM_CanvasTextWidth(benchmark::State& state)
{
    MeasureLine(state, Latin);
}
BENCHMARK(BM_CanvasTextWidth);

void BM_CanvasTextWidthShaped(benchmark::State& state)
{
    MeasureLine(state, Hebrew);
}
BENCHMARK(BM_CanvasTextWidthShaped);

// What measuring a line cost when every width came from shaping.
void BM_ShapedTextWidthReference(benchmark::State& state)
{
    QImage image(500, 30, QImage::Format_RGB32);
    TCanvas canvas(&image);
    UseFont(canvas);
    const QFontMetrics& metrics = canvas.FontMetrics();
    for (auto _ : state)
        benchmark::DoNotOptimize(metrics.horizontalAdvance(Latin));
}
BENCHMARK(BM_ShapedTextWidthReference);

void BM_CanvasTextFit(benchmark::State& state)
{
    QImage image(500, 30, QImage::Format_RGB32);
    TCanvas canvas(&image);
    UseFont(canvas);
    std::vector<int> extents;
    for (auto _ : state)
        benchmark::DoNotOptimize(canvas.TextFit(Latin, 200, &extents));
}
BENCHMARK(BM_CanvasTextFit);

void DrawLine(benchmark::State& state, const QString& text)
{
    QImage image(500, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    UseFont(canvas);
    for (auto _ : state)
        canvas.TextOut(2, 2, text);
    canvas.ReleasePainter();
    benchmark::DoNotOptimize(image.pixel(10, 10));
}

void BM_CanvasTextOut(benchmark::State& state)
{
    DrawLine(state, Latin);
}
BENCHMARK(BM_CanvasTextOut)->Unit(benchmark::kMicrosecond);

void BM_CanvasTextOutShaped(benchmark::State& state)
{
    DrawLine(state, Hebrew);
}
BENCHMARK(BM_CanvasTextOutShaped)->Unit(benchmark::kMicrosecond);

// What drawing the line cost when all text went through the painter's shaping.
void BM_ShapedTextOutReference(benchmark::State& state)
{
    QImage image(500, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    UseFont(canvas);
    QPainter& painter = *canvas.Painter();
    painter.setFont(canvas.QtFont());
    painter.setPen(Qt::black);
    const int baseline = 2 + canvas.FontMetrics().ascent();
    for (auto _ : state)
        painter.drawText(2, baseline, Latin);
    canvas.ReleasePainter();
    benchmark::DoNotOptimize(image.pixel(10, 10));
}
BENCHMARK(BM_ShapedTextOutReference)->Unit(benchmark::kMicrosecond);

// A single line cut with "..." to a narrow rectangle: many measurements and one drawing.
void BM_CanvasDrawTextEllipsis(benchmark::State& state)
{
    QImage image(500, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    UseFont(canvas);
    for (auto _ : state) {
        TRect r(2, 2, 180, 28);
        benchmark::DoNotOptimize(
            canvas.DrawText(Latin, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS));
    }
    canvas.ReleasePainter();
    benchmark::DoNotOptimize(image.pixel(10, 10));
}
BENCHMARK(BM_CanvasDrawTextEllipsis)->Unit(benchmark::kMicrosecond);

} // namespace
