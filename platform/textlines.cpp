#include "platform/textlines.h"

#include "platform/fontface.h"

#include <algorithm>

QString StripPrefix(const QString& text, int& underlineAt)
{
    underlineAt = -1;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&')) underlineAt = out.size();
        } else if (text[i] == QLatin1Char('&')) {
            continue; // a trailing "&" shows nothing
        }
        out += text[i];
    }
    return out;
}

QString ExpandTabs(const QString& line, const TFontFace& face)
{
    if (!line.contains(QLatin1Char('\t'))) return line;
    const int stop = std::max(1, 8 * face.AverageCharWidth());
    QString out;
    for (QChar c : line) {
        if (c != QLatin1Char('\t')) {
            out += c;
            continue;
        }
        const int w = face.Width(out);
        const int target = (w / stop + 1) * stop;
        while (face.Width(out) < target)
            out += QLatin1Char(' ');
    }
    return out;
}

QString EndEllipsis(const QString& line, int width, const TFontFace& face)
{
    if (face.Width(line) <= width) return line;
    // The longest start that fits with the dots after it; widths grow with the length.
    const QString dots = QStringLiteral("...");
    qsizetype keep = 0, tooLong = line.size();
    while (tooLong - keep > 1) {
        const qsizetype middle = (keep + tooLong) / 2;
        if (face.Width(line.left(middle) + dots) <= width)
            keep = middle;
        else
            tooLong = middle;
    }
    return line.left(keep) + dots;
}

QStringList WrapLine(const QString& line, int width, const TFontFace& face)
{
    QStringList out;
    QString current;
    int i = 0;
    while (i < line.size()) {
        int end = i;
        while (end < line.size() && line[end] != QLatin1Char(' '))
            ++end;
        while (end < line.size() && line[end] == QLatin1Char(' '))
            ++end;
        const QString word = line.mid(i, end - i);
        const QString candidate = current + word;
        if (!current.isEmpty() && face.Width(candidate.trimmed()) > width) {
            out << current;
            current = word;
        } else {
            current = candidate;
        }
        i = end;
    }
    out << current;
    return out;
}
