#pragma once

#include "platform/color.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <functional>

enum TFontStyle : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = uint8_t; // a set of TFontStyle bits

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// pmNotXor and pmXor invert what lies below: focus rectangles and rubber bands.
enum TPenMode { pmCopy, pmXor, pmNotXor, pmNot };
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// Text is antialiased on screen; pixel tests switch it off so that glyph pixels carry
// exactly the font colour.
bool TextAntialiasing();
void SetTextAntialiasing(bool on);

// Base of font, pen and brush: owners (a canvas, a component) learn of every change.
class TGraphicsObject
{
public:
    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange) OnChange();
    }
};

// A font as components store it. A negative Height is the character height in pixels, a
// positive one the cell height; Size is in points at PixelsPerInch.
class TFont : public TGraphicsObject
{
public:
    TFont() = default;
    // Copies are exact (resolution included); the change handler stays with its owner.
    TFont(const TFont& other) { CopyExactly(other); }
    TFont& operator=(const TFont& other)
    {
        if (this != &other) {
            CopyExactly(other);
            Changed();
        }
        return *this;
    }

    const QString& Name() const { return m_name; }
    void SetName(const QString& name);
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    bool HasStyle(TFontStyle s) const { return (m_style & s) != 0; }
    // Angle of the text base line in tenths of a degree, counter-clockwise.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int tenths);
    int PixelsPerInch() const { return m_ppi; }
    void SetPixelsPerInch(int ppi) { m_ppi = ppi > 0 ? ppi : 96; }

    // Copies another font; when the resolutions differ the point size is kept, so that a
    // font moved onto a printer canvas prints at the same size.
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    // The Qt font in device pixels (the orientation is applied by the canvas).
    QFont ToQFont() const;

private:
    void CopyFrom(const TFont& other);
    void CopyExactly(const TFont& other)
    {
        m_ppi = other.m_ppi;
        CopyFrom(other);
    }

    QString m_name = QStringLiteral("MS Sans Serif");
    int m_height = -11;
    TColor m_color = clWindowText;
    TFontStyles m_style = 0;
    int m_orientation = 0;
    int m_ppi = 96;
};

class TPen : public TGraphicsObject
{
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);
    void Assign(const TPen& other);

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};

class TBrush : public TGraphicsObject
{
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& other);

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};
