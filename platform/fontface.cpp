// Font faces: character tables filled from the font itself. The Latin-1 characters are
// looked up all at once when a face is made; other characters, and the kerning of the
// pairs that start with a given character, when they are first met. A kerning row costs
// one call into the font for all of its pairs: glyphs laid out as a b0 a b1 a b2 ... give
// the kerning of every (a, b) in the advances of the a's.
#include "platform/fontface.h"

#include "platform/graphics.h"

#include <QCoreApplication>
#include <QPaintDevice>

namespace {

// A character that the font draws as one glyph of its own, exactly as shaping would
// place it (ligatures aside): no marks, joiners or controls, nothing outside the basic
// plane, no right-to-left text and no script with contextual forms.
bool NeedsNoShaping(QChar c)
{
    const char16_t code = c.unicode();
    if (code >= 0x20 && code < 0x7F) return true;
    switch (c.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return false;
    default:
        break;
    }
    switch (c.direction()) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirRLI:
        return false;
    default:
        break;
    }
    switch (c.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
        return true;
    default:
        return false;
    }
}

// What makes two faces the same: the font's shape and the device's resolution.
struct TFaceKey
{
    QString Name;
    int Height = 0;
    TFontStyles Style = 0;
    bool Antialiased = true;
    int DpiX = 96;
    int DpiY = 96;

    bool operator==(const TFaceKey&) const = default;
};

struct TFaceKeyHash
{
    size_t operator()(const TFaceKey& k) const
    {
        return qHashMulti(0, k.Name, k.Height, k.Style, k.Antialiased, k.DpiX, k.DpiY);
    }
};

using TFaceMap = std::unordered_map<TFaceKey, std::shared_ptr<const TFontFace>, TFaceKeyHash>;

// Enough for every font a program shows; past it the cache starts again (faces in use
// stay alive with their users).
constexpr size_t MaxCachedFaces = 256;
constexpr size_t MaxOtherKerningPairs = 1 << 16;

TFaceMap* FacesLeftAtExit = nullptr;

class TFaceCache
{
public:
    TFaceMap Faces;

    ~TFaceCache()
    {
        // Fonts cannot be released once the application is gone: at exit they are left
        // where leak checkers still see them.
        if (!QCoreApplication::instance()) FacesLeftAtExit = new TFaceMap(std::move(Faces));
    }
};

QFontMetrics MetricsOn(const QFont& font, QPaintDevice* device)
{
    return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

} // namespace

std::shared_ptr<const TFontFace> TFontFace::Of(const TFont& font, QPaintDevice* device)
{
    thread_local TFaceCache cache;
    TFaceKey key{font.Name(),
                 font.Height(),
                 font.Style(),
                 TextAntialiasing(),
                 device ? device->logicalDpiX() : 96,
                 device ? device->logicalDpiY() : 96};
    const auto found = cache.Faces.find(key);
    if (found != cache.Faces.end()) return found->second;
    if (cache.Faces.size() >= MaxCachedFaces) cache.Faces.clear();
    auto face = std::make_shared<TFontFace>(font.ToQFont(), device);
    face->m_name = key.Name;
    face->m_fontHeight = key.Height;
    face->m_style = key.Style;
    face->m_antialiased = key.Antialiased;
    face->m_cached = true;
    return cache.Faces.emplace(std::move(key), std::move(face)).first->second;
}

bool TFontFace::IsFaceOf(const TFont& font) const
{
    return m_cached && m_fontHeight == font.Height() && m_style == font.Style() &&
           m_antialiased == TextAntialiasing() && m_name == font.Name();
}

TFontFace::TFontFace(const QFont& font, QPaintDevice* device)
    : m_font(font), m_metrics(MetricsOn(font, device)), m_raw(QRawFont::fromFont(font)),
      m_height(m_metrics.height()), m_ascent(m_metrics.ascent()), m_leading(m_metrics.leading()),
      m_averageCharWidth(m_metrics.averageCharWidth())
{
    FillLatin1();
}

void TFontFace::FillLatin1()
{
    if (!m_raw.isValid()) return;
    std::array<QChar, 256> chars;
    for (size_t i = 0; i < chars.size(); ++i)
        chars[i] = QChar(static_cast<char16_t>(i));
    std::array<quint32, 256> glyphs{};
    int count = static_cast<int>(glyphs.size());
    if (!m_raw.glyphIndexesForChars(chars.data(), count, glyphs.data(), &count) ||
        count != static_cast<int>(glyphs.size()))
        return;
    std::array<QPointF, 256> advances;
    if (!m_raw.advancesForGlyphIndexes(glyphs.data(), advances.data(), count)) return;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (glyphs[i] != 0 && NeedsNoShaping(chars[i]))
            m_latin1[i] = {glyphs[i], static_cast<float>(advances[i].x())};
    }
}

TFontFace::TGlyph TFontFace::Lookup(char16_t c) const
{
    if (c < m_latin1.size()) return m_latin1[c];
    const auto found = m_others.find(c);
    if (found != m_others.end()) return found->second;
    return m_others.emplace(c, Resolve(c)).first->second;
}

TFontFace::TGlyph TFontFace::Resolve(char16_t c) const
{
    const QChar ch(c);
    if (!m_raw.isValid() || !NeedsNoShaping(ch)) return {};
    quint32 index = 0;
    int count = 1;
    if (!m_raw.glyphIndexesForChars(&ch, 1, &index, &count) || count != 1 || index == 0) return {};
    QPointF advance;
    if (!m_raw.advancesForGlyphIndexes(&index, &advance, 1)) return {};
    return {index, static_cast<float>(advance.x())};
}

const TFontFace::TKerningRow& TFontFace::MakeKerningRow(char16_t left) const
{
    std::unique_ptr<TKerningRow>& row = m_kerningRows[left];
    row = std::make_unique<TKerningRow>();
    row->fill(0);
    const TGlyph& first = m_latin1[left];
    QVarLengthArray<quint32, 512> glyphs;
    QVarLengthArray<uchar, 256> rights;
    for (size_t right = 0; right < m_latin1.size(); ++right) {
        if (m_latin1[right].Index == 0) continue;
        glyphs.append(first.Index);
        glyphs.append(m_latin1[right].Index);
        rights.append(static_cast<uchar>(right));
    }
    QVarLengthArray<QPointF, 512> advances(glyphs.size());
    if (m_raw.advancesForGlyphIndexes(glyphs.data(), advances.data(),
                                      static_cast<int>(glyphs.size()), QRawFont::KernedAdvances)) {
        for (qsizetype i = 0; i < rights.size(); ++i)
            (*row)[rights[i]] = static_cast<float>(advances[2 * i].x()) - first.Advance;
    }
    return *row;
}

float TFontFace::Kerning(char16_t left, const TGlyph& leftGlyph, char16_t right,
                         const TGlyph& rightGlyph) const
{
    if (left < m_latin1.size() && right < m_latin1.size()) return KerningRow(left)[right];
    const quint64 key = (static_cast<quint64>(leftGlyph.Index) << 32) | rightGlyph.Index;
    const auto found = m_otherKerning.find(key);
    if (found != m_otherKerning.end()) return found->second;
    const quint32 pair[2] = {leftGlyph.Index, rightGlyph.Index};
    QPointF advances[2];
    float kerning = 0;
    if (m_raw.advancesForGlyphIndexes(pair, advances, 2, QRawFont::KernedAdvances))
        kerning = static_cast<float>(advances[0].x()) - leftGlyph.Advance;
    // Pairs beyond Latin-1 are few in any one text; a face that has met very many of
    // them starts again rather than grow without end.
    if (m_otherKerning.size() >= MaxOtherKerningPairs) m_otherKerning.clear();
    m_otherKerning.emplace(key, kerning);
    return kerning;
}

template <typename Step> bool TFontFace::Walk(QStringView text, Step&& step) const
{
    // Pairs of Latin-1 characters, nearly all of them, read their kerning from the row of
    // the character before.
    const TKerningRow* row = nullptr;
    char16_t previous = 0;
    TGlyph previousGlyph;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const TGlyph glyph = c < m_latin1.size() ? m_latin1[c] : Lookup(c);
        if (glyph.Index == 0) return false;
        float kerning = 0;
        if (i > 0)
            kerning =
                row && c < m_latin1.size() ? (*row)[c] : Kerning(previous, previousGlyph, c, glyph);
        step(i, glyph, kerning);
        row = c < m_latin1.size() ? &KerningRow(c) : nullptr;
        previous = c;
        previousGlyph = glyph;
    }
    return true;
}

bool TFontFace::Place(QStringView text, TPlacedGlyphs& placed) const
{
    const qsizetype count = text.size();
    placed.Glyphs.resize(count);
    placed.Starts.resize(count + 1);
    placed.Ends.resize(count);
    qreal pen = 0;
    const bool simple = Walk(text, [&](qsizetype i, const TGlyph& glyph, float kerning) {
        pen += kerning;
        placed.Glyphs[i] = glyph.Index;
        placed.Starts[i] = pen;
        pen += glyph.Advance;
        placed.Ends[i] = pen;
    });
    placed.Starts[count] = pen;
    return simple;
}

int TFontFace::Width(QStringView text) const
{
    qreal pen = 0;
    const bool simple = Walk(text, [&pen](qsizetype, const TGlyph& glyph, float kerning) {
        pen += kerning + glyph.Advance;
    });
    return simple ? qRound(pen) : m_metrics.horizontalAdvance(text.toString());
}
