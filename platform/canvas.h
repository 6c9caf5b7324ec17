#pragma once

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <array>
#include <memory>
#include <span>
#include <vector>

class QGlyphRun;
class QImage;
class QPainter;
class QPaintDevice;
class QRegion;
class TBitmap;
class TFontFace;

// Where a line of text was drawn: its origin on the baseline and its exact advance.
struct TTextLineSpan
{
    int X = 0;
    int Baseline = 0;
    qreal Width = 0;
};

// Flags of TCanvas::DrawText, with their classic values so that stored flag words keep
// their meaning.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// How text and hatch brushes treat the pixels behind them.
enum TBkMode { bkTransparent, bkOpaque };

// Raster operation of CopyRect and Draw.
enum TCopyMode { cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmNotSrcCopy, cmMergePaint };

// A drawing surface with the raster semantics that the painters are written for, over a
// QPainter on any device (widget, QImage, PDF writer, printer):
//  - Rectangle fills with the brush and outlines with the pen inside [L, R) x [T, B);
//    with a clear pen it fills [L, R-1) x [T, B-1);
//  - FillRect uses the brush only and covers [L, R) x [T, B);
//  - LineTo draws from the pen position up to, not including, the end point;
//  - text is drawn with the font colour; its background is filled with the background
//    colour when the background mode is opaque. Selecting a solid brush makes the mode
//    opaque with the brush colour, any other brush makes it transparent.
class TCanvas
{
public:
    // Opens a painter on the device, released when the canvas is destroyed.
    explicit TCanvas(QPaintDevice* device);
    // Draws through a painter that someone else owns (a widget's paint event, a printer).
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return m_font; }
    TPen& Pen() { return m_pen; }
    TBrush& Brush() { return m_brush; }
    const TFont& Font() const { return m_font; }
    const TPen& Pen() const { return m_pen; }
    const TBrush& Brush() const { return m_brush; }

    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(const TPoint& p) { m_penPos = p; }
    TBkMode BkMode() const { return m_bkMode; }
    void SetBkMode(TBkMode mode) { m_bkMode = mode; }
    TColor BkColor() const { return m_bkColor; }
    void SetBkColor(TColor color) { m_bkColor = color; }
    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }

    // Device resolution in dots per inch (96 for images and screens).
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;

    // Lines and shapes
    void MoveTo(int x, int y) { m_penPos = TPoint(x, y); }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void FillRect(const TRect& r);
    // FillRect for many rectangles, with one change of brush on a vector device rather
    // than one a rectangle.
    void FillRects(const std::vector<TRect>& rects);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& r);
    // Inverts a dotted frame; drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& r);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Text. TextOut places the top-left of the text cell at (x, y) and moves the pen to
    // its right end; a rotated font turns the text about (x, y).
    void TextOut(int x, int y, const QString& text);
    // TextOut clipped to the rectangle.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // The line height plus the font's external leading.
    int ExternalLeading() const;
    // Lays out, measures (DT_CALCRECT: sets r.Right and r.Bottom, draws nothing) or draws
    // text in r. Returns the height of the text; with DT_VCENTER or DT_BOTTOM the offset
    // from r.Top to the bottom of the text.
    int DrawText(const QString& text, TRect& r, unsigned flags);
    // How many characters of text fit in maxExtent pixels; extents (when given) receives
    // the width of every prefix, one entry per character.
    int TextFit(const QString& text, int maxExtent, std::vector<int>* extents = nullptr) const;
    // Glyphs shaped and placed beforehand, their positions taken from (x, baseline), in
    // the font colour. Only the glyphs are drawn, whatever the background mode: for
    // writers that lay out thousands of lines once and must not shape them again.
    void DrawGlyphRun(int x, int baseline, const QGlyphRun& run);
    // The underline and strike-out of face under each of the lines, in the font colour, as
    // the text drawing draws them: what glyph runs of such lines leave out.
    void DrawTextDecorations(const TFontFace& face, std::span<const TTextLineSpan> lines);

    // Bitmaps. Draw honours the bitmap's transparency; StretchDraw scales with the nearest
    // pixel, as bit-block transfers do.
    void Draw(int x, int y, const TBitmap& bitmap);
    void Draw(int x, int y, const QImage& image);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const QImage& image);
    // Copies (stretching when the sizes differ) with the current CopyMode. The source
    // canvas must draw on an image; it may be this canvas.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    // Clipping; a clip rectangle replaces the previous clip, Intersect narrows it.
    void SetClipRect(const TRect& r);
    void IntersectClipRect(const TRect& r);
    void SetClipRegion(const QRegion& region);
    void RemoveClip();
    bool HasClip() const;
    TRect ClipRect() const;

    // Saves and restores clip, pen, brush, font and modes (nested).
    void SaveState();
    void RestoreState();

    // The painter, begun on demand for canvases that own their device.
    QPainter* Painter();
    QPaintDevice* Device() const { return m_device; }
    // The image behind the canvas, or null for other devices.
    QImage* Image() const;
    // Ends an owned painter so the device can be read or resized; the next drawing
    // operation begins a new one (the clip is lost, like a released device context).
    void ReleasePainter();

    // The current TFont resolved for the device, looked up again only when its shape
    // (name, height, style) changes.
    const TFontFace& Face() const;
    const QFont& QtFont() const;
    const QFontMetrics& FontMetrics() const;

private:
    struct SavedState;
    void InstallChangeHandlers();
    void FollowBrush();
    void ApplyCompositionForPen();
    void ResetComposition();
    void DrawPixelRun(int x, int y, int count, bool horizontal);
    void DrawCosmeticLine(int x0, int y0, int x1, int y1);
    void DrawWideLine(int x0, int y0, int x1, int y1);
    void FillWithBrush(const QRect& r);
    int DrawTextLine(const QString& line, int underlineAt, int x, int top, int ascent,
                     const QRect* clip);
    void UseTextPen(QPainter& painter);

    QPaintDevice* m_device = nullptr;
    QPainter* m_painter = nullptr;
    bool m_ownsPainter = false;
    TFont m_font;
    TPen m_pen;
    TBrush m_brush;
    TPoint m_penPos;
    TBkMode m_bkMode = bkOpaque;
    TColor m_bkColor = clWhite;
    TCopyMode m_copyMode = cmSrcCopy;
    mutable std::shared_ptr<const TFontFace> m_face;
    mutable bool m_fontDirty = true;
    // The last faces used: markup switches between a few fonts all the time.
    mutable std::array<std::shared_ptr<const TFontFace>, 6> m_recentFaces;
    mutable size_t m_nextRecentFace = 0;
    // Reused for every line of simple text.
    std::unique_ptr<QGlyphRun> m_glyphRun;
    std::vector<std::unique_ptr<SavedState>> m_saved;
};

// Raised and sunken frames: the top and left edges in topColor, the bottom and right in
// bottomColor, width times inwards; r shrinks by width on every side.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);
