#include "markup/htmlstrip.h"

QString StripTags(const QString& markup)
{
    QString result;
    result.reserve(markup.size());
    int from = 0;
    while (from < markup.size()) {
        const int open = markup.indexOf(QLatin1Char('<'), from);
        if (open < 0) break;
        const int close = markup.indexOf(QLatin1Char('>'), open);
        if (close < 0) break; // an unclosed tag: keep it and everything after it
        result += QStringView(markup).mid(from, open - from);
        from = close + 1;
    }
    result += QStringView(markup).mid(from);
    return result;
}

QString HTMLStrip(const QString& markup)
{
    QString text = markup;
    text.replace(QLatin1String("<BR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    text.replace(QLatin1String("<HR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    return StripTags(text);
}
