#include "markup/htmltext.h"

#include <algorithm>
#include <array>

namespace {

struct TEntity
{
    QLatin1StringView Name;
    char16_t Replacement;
};

// The entities of the markup dialect, with the Unicode characters of the Windows-1252
// codes they were defined by.
constexpr std::array<TEntity, 9> Entities{{
    {QLatin1StringView("&amp;"), u'&'},
    {QLatin1StringView("&quot;"), u'"'},
    {QLatin1StringView("&sect;"), u'\u00A7'},
    {QLatin1StringView("&permil;"), u'\u2030'},
    {QLatin1StringView("&reg;"), u'\u00AE'},
    {QLatin1StringView("&copy;"), u'\u00A9'},
    {QLatin1StringView("&para;"), u'\u00B6'},
    {QLatin1StringView("&trade;"), u'\u2122'},
    {QLatin1StringView("&euro;"), u'\u20AC'},
}};

constexpr std::array<TEntity, 3> RunEntities{{
    {QLatin1StringView("&nbsp;"), u' '},
    {QLatin1StringView("&lt;"), u'<'},
    {QLatin1StringView("&gt;"), u'>'},
}};

template <size_t N>
const TEntity* EntityAt(QStringView text, qsizetype i, const std::array<TEntity, N>& table)
{
    const QStringView rest = text.mid(i);
    for (const TEntity& e : table) {
        if (rest.startsWith(e.Name, Qt::CaseInsensitive)) return &e;
    }
    return nullptr;
}

// Entities never overlap (each runs from "&" to ";" with no "&" inside), and the only
// replacement that can form a new one is the second "&" of "&&". Replacing until nothing
// changes is therefore one scan from the left that looks again at that second "&".
QString ReplaceEntities(QString text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const TEntity* e = text[i] == u'&' ? EntityAt(text, i, Entities) : nullptr;
        if (!e) {
            out += text[i++];
            continue;
        }
        if (e->Replacement == u'&') {
            // "&amp;" becomes "&&": keep the first, let the second (written over the ";")
            // be read again with what follows.
            out += u'&';
            i += e->Name.size() - 1;
            text[i] = u'&';
        } else {
            out += QChar(e->Replacement);
            i += e->Name.size();
        }
    }
    return out;
}

qsizetype FieldMarker(const QString& text)
{
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
        if (at + 1 < text.size() && text[at + 1] == u'#') return at;
    }
    return -1;
}

void RemoveFieldMarker(QString& text)
{
    const qsizetype marker = FieldMarker(text);
    if (marker < 0) return;
    text.remove(marker, 1);
    const qsizetype close = text.indexOf(u'>', marker);
    if (close >= 0) text.remove(close, 1);
}

QString LineEndsToBreaks(const QString& text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    static const QLatin1StringView Break("<BR>");
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += Break;
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            out += Break; // texts written on this platform end their lines with a lone LF
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString PrepareHTMLText(const QString& text)
{
    QString prepared = text.contains(u'&') ? ReplaceEntities(text) : text;
    RemoveFieldMarker(prepared);
    return LineEndsToBreaks(prepared);
}

bool HasRunEntity(QStringView run)
{
    return std::find(run.begin(), run.end(), u'&') != run.end();
}

QString ReplaceRunEntities(QStringView run)
{
    QString out;
    out.reserve(run.size());
    qsizetype i = 0;
    while (i < run.size()) {
        const TEntity* e = run[i] == u'&' ? EntityAt(run, i, RunEntities) : nullptr;
        if (e) {
            out += QChar(e->Replacement);
            i += e->Name.size();
        } else {
            out += run[i++];
        }
    }
    return out;
}

QString UndoubleAmpersands(QStringView value)
{
    QString out = value.toString();
    out.replace(QLatin1String("&&"), QLatin1String("&"));
    return out;
}
