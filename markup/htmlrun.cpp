#include "markup/htmlrun.h"

#include "platform/canvas.h"
#include "platform/fontface.h"

#include <algorithm>
#include <vector>

namespace {

const QString Dots = QStringLiteral("...");
constexpr qsizetype FirstProbe = 64;

int PrefixWidth(const TFontFace& face, const QString& text, qsizetype length)
{
    return face.Width(QStringView(text).left(length));
}

// The shortest probed length whose start is wider than room, or the whole length.
qsizetype OverflowBound(const TFontFace& face, const QString& text, int room)
{
    for (qsizetype probe = FirstProbe; probe < text.size(); probe *= 2) {
        if (PrefixWidth(face, text, probe) > room) return probe;
    }
    return text.size();
}

bool Fits(const TFontFace& face, const QString& text, int room, int& width)
{
    if (OverflowBound(face, text, room) < text.size()) return false;
    width = face.Width(text);
    return width <= room;
}

// The longest start that fits in room with "..." after it (widths grow with the length,
// so bisection finds it).
qsizetype EllipsisLength(const TFontFace& face, const QString& text, int room)
{
    qsizetype low = 0;
    qsizetype high = OverflowBound(face, text, room);
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (face.Width(text.left(middle) + Dots) <= room)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// Text without its prefixes, and where each of its characters starts in the text.
struct TStripped
{
    QString Text;
    std::vector<qsizetype> Starts;
};

TStripped Strip(const QString& text)
{
    TStripped stripped;
    stripped.Text.reserve(text.size());
    stripped.Starts.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype start = i;
        if (text[i] == u'&') {
            if (i + 1 >= text.size()) break; // a trailing "&" shows nothing
            ++i;
        }
        stripped.Text += text[i];
        stripped.Starts.push_back(start);
    }
    return stripped;
}

} // namespace

THTMLRunWidth MeasureHTMLRun(TCanvas& canvas, const QString& text, int available, bool cut)
{
    const TFontFace& face = canvas.Face();
    THTMLRunWidth run;
    int width = 0;
    if (std::find(text.begin(), text.end(), u'&') == text.end()) { // cheaper than a search
        run.Plain = true;
        if (!cut || Fits(face, text, available, width)) {
            run.Width = cut ? width : face.Width(text);
            return run;
        }
        run.Shown = text.left(EllipsisLength(face, text, available)) + Dots;
        run.Width = face.Width(run.Shown);
        return run;
    }
    const TStripped stripped = Strip(text);
    if (!cut || Fits(face, stripped.Text, available, width)) {
        run.Width = cut ? width : face.Width(stripped.Text);
        return run;
    }
    const qsizetype keep = EllipsisLength(face, stripped.Text, available);
    const size_t kept = static_cast<size_t>(keep);
    run.Shown =
        text.left(kept < stripped.Starts.size() ? stripped.Starts[kept] : text.size()) + Dots;
    run.Width = face.Width(stripped.Text.left(keep) + Dots);
    return run;
}

QString CoveringPrefix(TCanvas& canvas, const QString& text, int room)
{
    const TFontFace& face = canvas.Face();
    const qsizetype bound = OverflowBound(face, text, room);
    return bound < text.size() ? text.left(bound) : text;
}

QString WithoutPrefixes(const QString& text)
{
    return Strip(text).Text;
}
