// Highlighting a search term in an item text, and scanning an animated GIF for its
// frames, both done on every repaint of a view that shows them.
#include "markup/gifframes.h"
#include "markup/highlight.h"

// The GIF writer the tests use; Qt reads GIFs but cannot write them.
#include "../../tests/support/gifwriter.h"

#include <benchmark/benchmark.h>
#include <QString>

namespace {

// About 2 KB of item markup with tags, line breaks and several matches of "gig".
QString MarkupText2K()
{
    const QString line = QStringLiteral(
        "<B>Gig</B> at the <I>Blue Note</I>: load-in 18:00, <FONT color=\"clred\">sound check"
        "</FONT> at 19:00, gig from 21:00.<BR>");
    QString text;
    while (text.size() < 2048)
        text += line;
    return text;
}

void BM_HiLight2K(benchmark::State& state)
{
    const QString markup = MarkupText2K();
    for (auto _ : state) {
        QString lit = HiLight(markup, QStringLiteral("gig"), QStringLiteral("HI"), false);
        benchmark::DoNotOptimize(lit);
    }
    state.SetBytesProcessed(state.iterations() * markup.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(BM_HiLight2K);

QByteArray Gif50Frames()
{
    const QSize size(64, 64);
    std::vector<gifwriter::Frame> frames;
    for (int i = 0; i < 50; ++i) {
        QImage image(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qRgb((x * 4 + i) & 0xFF, (y * 4) & 0xFF, (i * 5) & 0xFF));
        frames.push_back({image, QPoint(0, 0), 5});
    }
    return gifwriter::Encode(size, frames);
}

void BM_GifFrameScan50(benchmark::State& state)
{
    const QByteArray gif = Gif50Frames();
    for (auto _ : state) {
        std::vector<qsizetype> offsets = GifFrameOffsets(gif);
        benchmark::DoNotOptimize(offsets);
        if (offsets.size() != 50) state.SkipWithError("the GIF must have 50 frames");
    }
    state.SetBytesProcessed(state.iterations() * gif.size());
}
BENCHMARK(BM_GifFrameScan50);

} // namespace
