#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QStringView>
#include <QVarLengthArray>

#include <array>
#include <memory>
#include <unordered_map>

class QPaintDevice;
class TFont;

// The glyphs of a line that needs no shaping, and where each one lies on it (pixels from
// the line's start, kerning included). Starts has one entry more than Glyphs: the whole
// line's width. Ends[i] is where glyph i ends before any kerning with the next one.
struct TPlacedGlyphs
{
    QVarLengthArray<quint32, 128> Glyphs;
    QVarLengthArray<qreal, 129> Starts;
    QVarLengthArray<qreal, 128> Ends;

    qsizetype Count() const { return Glyphs.size(); }
    qreal Width() const { return Starts.isEmpty() ? 0 : Starts.back(); }
    // Where the first `count` characters end on the line (as Qt measures a prefix).
    qreal PrefixWidth(qsizetype count) const { return Starts[count]; }
    // Width of characters [first, end), measured as a line of its own.
    qreal SpanWidth(qsizetype first, qsizetype end) const
    {
        return end > first ? Ends[end - 1] - Starts[first] : 0;
    }
};

// A font resolved for a device: the Qt font, its metrics and, for text that needs no
// shaping (a glyph of the font for every character, no marks, no right-to-left or complex
// script), the glyph, advance and kerning of every character met. Such text is measured
// and placed from these tables and drawn as a glyph run; Qt's shaping costs many times
// more and gives the same advances (the font's kerning table and its layout tables may
// round a pair apart by 1/64 pixel). Other text is left to the metrics.
//
// Faces are shared from a cache of the thread (fonts belong to the thread that uses them,
// as in Qt's own font cache). Only font data is kept, never anything about a text.
class TFontFace
{
public:
    // The face of font on device (null: a screen of 96 dots per inch).
    static std::shared_ptr<const TFontFace> Of(const TFont& font, QPaintDevice* device);
    // A face built for a Qt font as it is, outside the cache.
    TFontFace(const QFont& font, QPaintDevice* device);
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    // True when this is the cached face of font (whose colour does not matter) on the
    // device it was made for.
    bool IsFaceOf(const TFont& font) const;

    const QFont& Font() const { return m_font; }
    const QFontMetrics& Metrics() const { return m_metrics; }
    const QRawFont& RawFont() const { return m_raw; }
    // The metrics that text drawing asks for all the time, read once.
    int Height() const { return m_height; }
    int Ascent() const { return m_ascent; }
    int Leading() const { return m_leading; }
    int AverageCharWidth() const { return m_averageCharWidth; }

    // Places text that needs no shaping; false for other text (placed then means nothing).
    bool Place(QStringView text, TPlacedGlyphs& placed) const;
    // Width of a line in pixels, as drawing it shows it.
    int Width(QStringView text) const;

private:
    struct TGlyph
    {
        quint32 Index = 0; // 0: the character needs shaping or another font
        float Advance = 0;
    };
    // Kerning of the pairs that start with one Latin-1 character.
    using TKerningRow = std::array<float, 256>;

    void FillLatin1();
    TGlyph Lookup(char16_t c) const;
    TGlyph Resolve(char16_t c) const;
    float Kerning(char16_t left, const TGlyph& leftGlyph, char16_t right,
                  const TGlyph& rightGlyph) const;
    const TKerningRow& KerningRow(char16_t left) const
    {
        const std::unique_ptr<TKerningRow>& row = m_kerningRows[left];
        return row ? *row : MakeKerningRow(left);
    }
    const TKerningRow& MakeKerningRow(char16_t left) const;
    // Calls step(index, glyph, kerning with the glyph before) for each character; false
    // at the first one that needs shaping.
    template <typename Step> bool Walk(QStringView text, Step&& step) const;

    // The font a cached face was made from.
    QString m_name;
    int m_fontHeight = 0;
    quint8 m_style = 0;
    bool m_antialiased = false;
    bool m_cached = false;

    QFont m_font;
    QFontMetrics m_metrics;
    QRawFont m_raw;
    int m_height = 0;
    int m_ascent = 0;
    int m_leading = 0;
    int m_averageCharWidth = 0;
    std::array<TGlyph, 256> m_latin1;
    mutable std::unordered_map<char16_t, TGlyph> m_others;
    mutable std::array<std::unique_ptr<TKerningRow>, 256> m_kerningRows;
    mutable std::unordered_map<quint64, float> m_otherKerning;
};
