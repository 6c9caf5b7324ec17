#include "platform/graphics.h"

#include "platform/numeric.h"

#include <QFontMetrics>

namespace {
bool& AntialiasFlag()
{
    static bool flag = true;
    return flag;
}
} // namespace

bool TextAntialiasing()
{
    return AntialiasFlag();
}
void SetTextAntialiasing(bool on)
{
    AntialiasFlag() = on;
}

void TFont::SetName(const QString& name)
{
    if (name == m_name) return;
    m_name = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == m_height) return;
    m_height = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(m_height, 72, m_ppi);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, m_ppi, 72));
}

void TFont::SetColor(TColor color)
{
    if (color == m_color) return;
    m_color = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == m_style) return;
    m_style = style;
    Changed();
}

void TFont::SetOrientation(int tenths)
{
    if (tenths == m_orientation) return;
    m_orientation = tenths;
    Changed();
}

void TFont::CopyFrom(const TFont& other)
{
    m_name = other.m_name;
    m_color = other.m_color;
    m_style = other.m_style;
    m_orientation = other.m_orientation;
    m_height = other.m_ppi == m_ppi ? other.m_height : -MulDiv(other.Size(), m_ppi, 72);
}

void TFont::Assign(const TFont& other)
{
    if (this == &other) return;
    if (SameAs(other) && other.m_ppi == m_ppi) return;
    CopyFrom(other);
    Changed();
}

bool TFont::SameAs(const TFont& other) const
{
    // Asked all the time by text drawing: numbers first, and a shared name is not
    // compared character by character.
    if (m_height != other.m_height || m_color != other.m_color || m_style != other.m_style ||
        m_orientation != other.m_orientation || m_name.size() != other.m_name.size())
        return false;
    return m_name.constData() == other.m_name.constData() || m_name == other.m_name;
}

QFont TFont::ToQFont() const
{
    QFont font(m_name);
    font.setStyleHint(QFont::SansSerif);
    if (!TextAntialiasing()) font.setStyleStrategy(QFont::NoAntialias);
    int pixels = m_height < 0 ? -m_height : m_height;
    if (pixels == 0) pixels = 11;
    font.setPixelSize(pixels);
    if (m_height > 0) {
        // A positive height is the whole cell, internal leading included.
        QFontMetrics fm(font);
        const int cell = fm.ascent() + fm.descent();
        if (cell > 0) font.setPixelSize(std::max(1, MulDiv(pixels, pixels, cell)));
    }
    font.setBold(HasStyle(fsBold));
    font.setItalic(HasStyle(fsItalic));
    font.setUnderline(HasStyle(fsUnderline));
    font.setStrikeOut(HasStyle(fsStrikeOut));
    return font;
}

void TPen::SetColor(TColor color)
{
    if (color == m_color) return;
    m_color = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width < 1) width = 1;
    if (width == m_width) return;
    m_width = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == m_style) return;
    m_style = style;
    Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == m_mode) return;
    m_mode = mode;
    Changed();
}

void TPen::Assign(const TPen& other)
{
    m_color = other.m_color;
    m_width = other.m_width;
    m_style = other.m_style;
    m_mode = other.m_mode;
    Changed();
}

void TBrush::SetColor(TColor color)
{
    // Picking a colour makes a clear brush solid again, as the classic canvas does.
    const bool styleChanges = m_style == bsClear;
    if (color == m_color && !styleChanges) return;
    m_color = color;
    if (styleChanges) m_style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == m_style) return;
    m_style = style;
    Changed();
}

void TBrush::Assign(const TBrush& other)
{
    m_color = other.m_color;
    m_style = other.m_style;
    Changed();
}
