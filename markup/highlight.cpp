// Highlighting works in two stages: the matches are searched in the visible text, then
// one walk over the markup copies it and inserts the opening tag just before the first
// visible character of each match and the closing tag just before the visible character
// that follows it (after any tags in between, so a closing tag lands before the next
// visible text, or at the very end).
#include "markup/highlight.h"

#include "markup/htmlstrip.h"

#include <algorithm>
#include <vector>

namespace {

// Visible ranges [first, end) of the matches, 0-based positions in the visible text.
struct Match
{
    qsizetype first;
    qsizetype end;
};

std::vector<Match> FindMatches(const QString& visible, const QString& hiText,
                               Qt::CaseSensitivity cs)
{
    std::vector<Match> matches;
    for (qsizetype at = visible.indexOf(hiText, 0, cs); at >= 0;
         at = visible.indexOf(hiText, at + hiText.size(), cs)) {
        matches.push_back({at, at + hiText.size()});
    }
    return matches;
}

// Index of the ">" that closes a tag opened at open, or -1 when the tag is never closed.
// This is the rule of StripTags: an unclosed "<" and everything after it are visible.
qsizetype TagEnd(const QString& markup, qsizetype open)
{
    return markup.indexOf(QLatin1Char('>'), open);
}

// A "<" that never closes shows itself and the rest of the text as written. A highlight
// tag placed after it would close it and hide the text in between, so matches that reach
// past that "<" are left alone.
void DropMatchesInUnclosedTail(const QString& markup, std::vector<Match>& matches)
{
    const qsizetype unclosed = markup.indexOf(QLatin1Char('<'), markup.lastIndexOf('>') + 1);
    if (unclosed < 0) return;
    const qsizetype tailStart = StripTags(markup.left(unclosed)).size();
    std::erase_if(matches, [tailStart](const Match& m) { return m.end > tailStart; });
}

class HighlightWriter
{
public:
    HighlightWriter(const QString& tag, const std::vector<Match>& matches)
        : m_open(QLatin1Char('<') + tag + QLatin1Char('>')),
          m_close(QLatin1String("</") + tag + QLatin1Char('>')), m_matches(matches)
    {
    }

    // Called before the visible character number visibleIndex (0-based) is copied.
    void BeforeVisible(QString& out, qsizetype visibleIndex)
    {
        if (m_next < m_matches.size() && m_inside && m_matches[m_next].end == visibleIndex) {
            out += m_close;
            m_inside = false;
            ++m_next;
        }
        if (m_next < m_matches.size() && !m_inside && m_matches[m_next].first == visibleIndex) {
            out += m_open;
            m_inside = true;
        }
    }

    void Finish(QString& out, qsizetype visibleLength) { BeforeVisible(out, visibleLength); }

private:
    QString m_open;
    QString m_close;
    const std::vector<Match>& m_matches;
    size_t m_next = 0;
    bool m_inside = false;
};

} // namespace

QString HiLight(const QString& markup, const QString& hiText, const QString& tag,
                bool caseSensitive)
{
    if (hiText.isEmpty()) return markup;
    std::vector<Match> matches = FindMatches(
        StripTags(markup), hiText, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    DropMatchesInUnclosedTail(markup, matches);
    if (matches.empty()) return markup;

    HighlightWriter writer(tag, matches);
    QString out;
    out.reserve(markup.size() + qsizetype(matches.size()) * (2 * tag.size() + 5));
    qsizetype visibleIndex = 0;
    bool tagsEnded = false; // after an unclosed "<" no later "<" can close either
    for (qsizetype i = 0; i < markup.size();) {
        if (!tagsEnded && markup[i] == QLatin1Char('<')) {
            const qsizetype end = TagEnd(markup, i);
            if (end >= 0) {
                out += QStringView(markup).mid(i, end + 1 - i);
                i = end + 1;
                continue;
            }
            tagsEnded = true;
        }
        writer.BeforeVisible(out, visibleIndex++);
        out += markup[i++];
    }
    writer.Finish(out, visibleIndex);
    return out;
}

namespace {

// Removes pattern one occurrence at a time until none is left, so that a removal that
// joins two halves of a new occurrence removes that one too.
void RemoveRepeatedly(QString& text, const QString& pattern)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(pattern, from, Qt::CaseInsensitive);
        if (at < 0) return;
        text.remove(at, pattern.size());
        // A new occurrence can only begin within one pattern length before the cut.
        from = std::max<qsizetype>(0, at - pattern.size() + 1);
    }
}

} // namespace

QString UnHiLight(const QString& markup, const QString& tag)
{
    QString text = markup;
    RemoveRepeatedly(text, QLatin1Char('<') + tag + QLatin1Char('>'));
    RemoveRepeatedly(text, QLatin1String("</") + tag + QLatin1Char('>'));
    return text;
}
