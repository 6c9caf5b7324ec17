// TCanvas: the classic raster drawing model on top of QPainter.
//
// Qt's aliased rasteriser and the classic one agree on filled rectangles, so every
// rectangle, frame and one-pixel line is drawn as filled pixel spans; that keeps
// "right and bottom exclusive" and "LineTo leaves out its end pixel" exact on every
// device. Only wide pens, polygons, ellipses and text go through Qt's own drawing.
#include "platform/canvas.h"

#include "platform/bitmap.h"
#include "platform/fontface.h"
#include "platform/numeric.h"
#include "platform/textlines.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

struct TCanvas::SavedState
{
    TFont font;
    TPen pen;
    TBrush brush;
    TBkMode bkMode;
    TColor bkColor;
    TCopyMode copyMode;
    TPoint penPos;
};

TCanvas::TCanvas(QPaintDevice* device) : m_device(device), m_ownsPainter(true)
{
    InstallChangeHandlers();
    m_font.SetPixelsPerInch(PixelsPerInchY());
    m_font.SetSize(8);
}

TCanvas::TCanvas(QPainter* painter) : m_device(painter->device()), m_painter(painter)
{
    InstallChangeHandlers();
    m_font.SetPixelsPerInch(PixelsPerInchY());
    m_font.SetSize(8);
}

TCanvas::~TCanvas()
{
    m_font.OnChange = nullptr;
    m_brush.OnChange = nullptr;
    ReleasePainter();
}

void TCanvas::InstallChangeHandlers()
{
    m_font.OnChange = [this] { m_fontDirty = true; };
    m_brush.OnChange = [this] { FollowBrush(); };
    FollowBrush();
}

void TCanvas::FollowBrush()
{
    if (m_brush.Style() == bsSolid) {
        m_bkMode = bkOpaque;
        m_bkColor = m_brush.Color();
    } else {
        m_bkMode = bkTransparent;
    }
}

QPainter* TCanvas::Painter()
{
    if (!m_painter && m_ownsPainter && m_device) {
        m_painter = new QPainter();
        if (!m_painter->begin(m_device)) {
            delete m_painter;
            m_painter = nullptr;
        }
    }
    return m_painter;
}

void TCanvas::ReleasePainter()
{
    if (!m_ownsPainter || !m_painter) return;
    if (m_painter->isActive()) m_painter->end();
    delete m_painter;
    m_painter = nullptr;
}

QImage* TCanvas::Image() const
{
    if (m_device && m_device->devType() == QInternal::Image) return static_cast<QImage*>(m_device);
    return nullptr;
}

int TCanvas::PixelsPerInchX() const
{
    return m_device ? m_device->logicalDpiX() : 96;
}
int TCanvas::PixelsPerInchY() const
{
    return m_device ? m_device->logicalDpiY() : 96;
}

const TFontFace& TCanvas::Face() const
{
    // Colour and orientation changes leave the face as it is.
    if (m_face && (!m_fontDirty || m_face->IsFaceOf(m_font))) {
        m_fontDirty = false;
        return *m_face;
    }
    m_fontDirty = false;
    for (const std::shared_ptr<const TFontFace>& recent : m_recentFaces) {
        if (recent && recent->IsFaceOf(m_font)) {
            m_face = recent;
            return *m_face;
        }
    }
    m_face = TFontFace::Of(m_font, m_device);
    m_recentFaces[m_nextRecentFace] = m_face;
    m_nextRecentFace = (m_nextRecentFace + 1) % m_recentFaces.size();
    return *m_face;
}

const QFont& TCanvas::QtFont() const
{
    return Face().Font();
}

const QFontMetrics& TCanvas::FontMetrics() const
{
    return Face().Metrics();
}

// ---------------------------------------------------------------------------
// Composition for pen modes and copy modes

void TCanvas::ApplyCompositionForPen()
{
    QPainter* p = Painter();
    if (!p) return;
    switch (m_pen.Mode()) {
    case pmCopy:
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case pmXor:
        p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case pmNotXor:
        p->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        break;
    case pmNot:
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        break;
    }
}

void TCanvas::ResetComposition()
{
    if (m_painter) m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---------------------------------------------------------------------------
// Lines

namespace {

// On/off run lengths of the styled cosmetic pens, in pixels.
const std::vector<int>& DashPattern(TPenStyle style)
{
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return solid;
    }
}

bool PatternOn(const std::vector<int>& pattern, int index)
{
    if (pattern.empty()) return true;
    int period = 0;
    for (int v : pattern)
        period += v;
    int pos = index % period;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i]) return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

} // namespace

void TCanvas::DrawPixelRun(int x, int y, int count, bool horizontal)
{
    if (count <= 0) return;
    const QColor color = ToQColor(m_pen.Color());
    if (!color.isValid()) return;
    QPainter* p = Painter();
    if (!p) return;
    const std::vector<int>& pattern = DashPattern(m_pen.Style());
    ApplyCompositionForPen();
    if (pattern.empty()) {
        p->fillRect(horizontal ? QRect(x, y, count, 1) : QRect(x, y, 1, count), color);
    } else {
        for (int i = 0; i < count; ++i) {
            if (PatternOn(pattern, i))
                p->fillRect(horizontal ? QRect(x + i, y, 1, 1) : QRect(x, y + i, 1, 1), color);
        }
    }
    ResetComposition();
}

void TCanvas::DrawCosmeticLine(int x0, int y0, int x1, int y1)
{
    if (y0 == y1) {
        if (x1 > x0)
            DrawPixelRun(x0, y0, x1 - x0, true);
        else if (x1 < x0)
            DrawPixelRun(x1 + 1, y0, x0 - x1, true);
        return;
    }
    if (x0 == x1) {
        if (y1 > y0)
            DrawPixelRun(x0, y0, y1 - y0, false);
        else
            DrawPixelRun(x0, y1 + 1, y0 - y1, false);
        return;
    }
    const QColor color = ToQColor(m_pen.Color());
    QPainter* p = Painter();
    if (!color.isValid() || !p) return;
    const std::vector<int>& pattern = DashPattern(m_pen.Style());
    ApplyCompositionForPen();
    // Bresenham, stopping one pixel before the end point.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    for (int i = 0; !(x == x1 && y == y1); ++i) {
        if (PatternOn(pattern, i)) p->fillRect(QRect(x, y, 1, 1), color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    ResetComposition();
}

void TCanvas::DrawWideLine(int x0, int y0, int x1, int y1)
{
    const QColor color = ToQColor(m_pen.Color());
    QPainter* p = Painter();
    if (!color.isValid() || !p) return;
    ApplyCompositionForPen();
    QPen pen(color);
    pen.setWidth(m_pen.Width());
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    p->drawLine(x0, y0, x1, y1);
    ResetComposition();
}

void TCanvas::LineTo(int x, int y)
{
    if (m_pen.Style() != psClear) {
        if (m_pen.Width() <= 1)
            DrawCosmeticLine(m_penPos.X, m_penPos.Y, x, y);
        else
            DrawWideLine(m_penPos.X, m_penPos.Y, x, y);
    }
    m_penPos = TPoint(x, y);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty()) return;
    const TPoint saved = m_penPos;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    m_penPos = saved;
}

// ---------------------------------------------------------------------------
// Filled shapes

void TCanvas::FillWithBrush(const QRect& r)
{
    if (r.isEmpty()) return;
    QPainter* p = Painter();
    if (!p) return;
    const QColor color = ToQColor(m_brush.Color());
    switch (m_brush.Style()) {
    case bsClear:
        return;
    case bsSolid:
        if (color.isValid()) p->fillRect(r, color);
        return;
    default:
        break;
    }
    if (m_bkMode == bkOpaque && ToQColor(m_bkColor).isValid()) p->fillRect(r, ToQColor(m_bkColor));
    static const Qt::BrushStyle hatch[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                           Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                           Qt::CrossPattern, Qt::DiagCrossPattern};
    if (color.isValid()) p->fillRect(r, QBrush(color, hatch[m_brush.Style()]));
}

void TCanvas::FillRect(const TRect& r)
{
    FillWithBrush(r.ToQRect());
}

void TCanvas::FillRects(const std::vector<TRect>& rects)
{
    QPainter* p = Painter();
    if (!p) return;
    if (m_brush.Style() != bsSolid) {
        for (const TRect& r : rects)
            FillRect(r);
        return;
    }
    const QColor color = ToQColor(m_brush.Color());
    if (!color.isValid()) return;
    // Aliased rectangles without a pen cover exactly the pixels that fillRect covers. Each
    // stays a fill of its own (PDF viewers snap a thin filled rectangle to whole pixels,
    // not a path of many), but the brush is set once rather than once a rectangle.
    const QPen pen = p->pen();
    const QBrush brush = p->brush();
    p->setPen(Qt::NoPen);
    p->setBrush(color);
    for (const TRect& r : rects) {
        if (!r.IsEmpty()) p->drawRect(r.ToQRect());
    }
    p->setPen(pen);
    p->setBrush(brush);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty()) return;
    QPainter* p = Painter();
    const QColor color = ToQColor(m_brush.Color());
    if (!p || !color.isValid()) return;
    p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), color);
    p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), color);
    p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), color);
    p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), color);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (m_pen.Style() == psClear) {
        FillWithBrush(QRect(left, top, right - left - 1, bottom - top - 1));
        return;
    }
    const int w = std::min({m_pen.Width(), (right - left + 1) / 2, (bottom - top + 1) / 2});
    FillWithBrush(QRect(left + w, top + w, right - left - 2 * w, bottom - top - 2 * w));
    if (w <= 0) return;
    for (int i = 0; i < w; ++i) {
        const int l = left + i, t = top + i, r = right - 1 - i, b = bottom - 1 - i;
        DrawPixelRun(l, t, r - l + 1, true);
        if (b > t) DrawPixelRun(l, b, r - l + 1, true);
        if (b - t > 1) {
            DrawPixelRun(l, t + 1, b - t - 1, false);
            if (r > l) DrawPixelRun(r, t + 1, b - t - 1, false);
        }
    }
}

namespace {
QPen OutlinePen(const TPen& pen)
{
    if (pen.Style() == psClear) return QPen(Qt::NoPen);
    QPen qpen(ToQColor(pen.Color()));
    qpen.setWidth(pen.Width());
    qpen.setJoinStyle(Qt::MiterJoin);
    return qpen;
}

QBrush FillBrush(const TBrush& brush)
{
    if (brush.Style() == bsClear) return Qt::NoBrush;
    return QBrush(ToQColor(brush.Color()));
}
} // namespace

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    QPainter* p = Painter();
    if (!p || right <= left || bottom <= top) return;
    ApplyCompositionForPen();
    p->setPen(OutlinePen(m_pen));
    p->setBrush(FillBrush(m_brush));
    p->drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), cornerWidth / 2.0,
                       cornerHeight / 2.0);
    ResetComposition();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    QPainter* p = Painter();
    if (!p || right <= left || bottom <= top) return;
    ApplyCompositionForPen();
    p->setPen(OutlinePen(m_pen));
    p->setBrush(FillBrush(m_brush));
    p->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    ResetComposition();
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPainter* p = Painter();
    if (!p || points.size() < 2) return;
    QPolygon polygon;
    for (const TPoint& pt : points)
        polygon << pt.ToQPoint();
    ApplyCompositionForPen();
    p->setPen(OutlinePen(m_pen));
    p->setBrush(FillBrush(m_brush));
    p->drawPolygon(polygon);
    ResetComposition();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    QPainter* p = Painter();
    if (!p || r.IsEmpty()) return;
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) p->fillRect(QRect(x, y, 1, 1), white);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
    }
    ResetComposition();
}

TColor TCanvas::Pixel(int x, int y) const
{
    const QImage* image = Image();
    if (!image || !image->valid(x, y)) return clNone;
    return FromQColor(image->pixelColor(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    QPainter* p = Painter();
    const QColor c = ToQColor(color);
    if (p && c.isValid()) p->fillRect(QRect(x, y, 1, 1), c);
}

// ---------------------------------------------------------------------------
// Text

namespace {

// Underline and strike-out laid out as Qt's text drawing lays them out, over each line's
// exact advance (a glyph run would take its length from the last glyph's box instead).
// The pen is set up once for all of them.
void DrawDecorations(QPainter& painter, const QFont& font, const QRawFont& raw,
                     std::span<const TTextLineSpan> spans)
{
    if (!font.underline() && !font.strikeOut()) return;
    QVarLengthArray<QLineF, 16> lines;
    // Kept off the glyphs above it, but within the descent.
    const qreal position = raw.underlinePosition();
    qreal underline = std::ceil(position) + 0.5;
    if (position <= raw.descent()) underline = std::min(underline, raw.descent() - 0.5);
    const qreal strikeOut = -raw.ascent() / 3;
    for (const TTextLineSpan& span : spans) {
        const QLineF line(std::floor(span.X), span.Baseline, std::floor(span.X + span.Width),
                          span.Baseline);
        if (font.underline()) lines.append(line.translated(0, underline));
        if (font.strikeOut()) lines.append(line.translated(0, strikeOut));
    }
    if (lines.isEmpty()) return;
    if (raw.lineThickness() == 1.0 && painter.transform().type() == QTransform::TxNone &&
        !painter.testRenderHint(QPainter::Antialiasing)) {
        // A one-pixel line that is not turned covers row floor(y) from its start up to
        // its end: filled as that, it costs a fraction of a stroked line.
        const QColor color = painter.pen().color();
        for (const QLineF& line : lines) {
            const int x1 = static_cast<int>(line.x1());
            const int x2 = static_cast<int>(line.x2());
            if (x2 > x1)
                painter.fillRect(QRect(x1, static_cast<int>(std::floor(line.y1())), x2 - x1, 1),
                                 color);
        }
        return;
    }
    const QPen textPen = painter.pen();
    const QBrush brush = painter.brush();
    QPen pen = textPen;
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(raw.lineThickness());
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
    painter.setPen(textPen);
    painter.setBrush(brush);
}

// Glyphs placed from the start of the line, drawn with the pen of the painter.
void DrawPlaced(QPainter& painter, QGlyphRun& run, const TFontFace& face,
                const TPlacedGlyphs& placed, int x, int baseline)
{
    if (placed.Count() == 0) return;
    QVarLengthArray<QPointF, 128> positions(placed.Count());
    for (qsizetype i = 0; i < placed.Count(); ++i)
        positions[i] = QPointF(placed.Starts[i], 0);
    run.setRawFont(face.RawFont());
    run.setRawData(placed.Glyphs.constData(), positions.constData(),
                   static_cast<int>(placed.Count()));
    painter.drawGlyphRun(QPointF(x, baseline), run);
    const TTextLineSpan span{x, baseline, placed.Width()};
    DrawDecorations(painter, face.Font(), face.RawFont(), std::span(&span, 1));
}

} // namespace

int TCanvas::TextWidth(const QString& text) const
{
    return Face().Width(text);
}

int TCanvas::TextHeight(const QString&) const
{
    return Face().Height();
}

int TCanvas::ExternalLeading() const
{
    return std::max(0, Face().Leading());
}

int TCanvas::TextFit(const QString& text, int maxExtent, std::vector<int>* extents) const
{
    const TFontFace& face = Face();
    TPlacedGlyphs placed;
    const bool simple = face.Place(text, placed);
    const auto prefixWidth = [&](int count) {
        return simple ? qRound(placed.PrefixWidth(count))
                      : face.Metrics().horizontalAdvance(text, count);
    };
    if (extents) extents->clear();
    int fit = 0;
    for (int i = 1; i <= text.size(); ++i) {
        const int w = prefixWidth(i);
        if (extents) extents->push_back(w);
        if (w <= maxExtent && fit == i - 1)
            fit = i;
        else if (!extents)
            break;
    }
    return fit;
}

int TCanvas::DrawTextLine(const QString& line, int underlineAt, int x, int top, int ascent,
                          const QRect* clip)
{
    const TFontFace& face = Face();
    TPlacedGlyphs placed;
    const bool simple = face.Place(line, placed);
    const QFontMetrics& fm = face.Metrics();
    const int width = simple ? qRound(placed.Width()) : fm.horizontalAdvance(line);
    QPainter* p = Painter();
    if (!p) return width;
    const QRect box(x, top, width, face.Height());
    // Clip changes are costly on vector devices (PDF, printers): only clip what sticks out.
    const bool clipped = clip && !clip->contains(box);
    if (clipped) {
        p->save();
        p->setClipRect(*clip, p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    if (m_bkMode == bkOpaque && ToQColor(m_bkColor).isValid())
        p->fillRect(box, ToQColor(m_bkColor));
    UseTextPen(*p);
    if (simple) {
        if (!m_glyphRun) m_glyphRun = std::make_unique<QGlyphRun>();
        DrawPlaced(*p, *m_glyphRun, face, placed, x, top + ascent);
    } else {
        if (p->font() != face.Font()) p->setFont(face.Font());
        p->drawText(x, top + ascent, line);
    }
    if (underlineAt >= 0 && underlineAt < line.size()) {
        const QColor color = ToQColor(m_font.Color());
        const int ux = x + (simple ? qRound(placed.PrefixWidth(underlineAt))
                                   : fm.horizontalAdvance(line, underlineAt));
        const int uw = simple ? qRound(placed.SpanWidth(underlineAt, underlineAt + 1))
                              : fm.horizontalAdvance(line.at(underlineAt));
        const int uy = top + ascent + std::max(1, fm.underlinePos());
        p->fillRect(QRect(ux, uy, std::max(1, uw), std::max(1, fm.lineWidth())), color);
    }
    if (clipped) p->restore();
    return width;
}

void TCanvas::UseTextPen(QPainter& painter)
{
    // Pen changes are state changes on vector devices: only when the colour differs.
    const QColor color = ToQColor(m_font.Color());
    const QPen& pen = painter.pen();
    if (pen.style() != Qt::SolidLine || pen.color() != color || pen.widthF() > 1)
        painter.setPen(color);
}

void TCanvas::DrawGlyphRun(int x, int baseline, const QGlyphRun& run)
{
    QPainter* p = Painter();
    if (!p || run.isEmpty()) return;
    UseTextPen(*p);
    p->drawGlyphRun(QPointF(x, baseline), run);
}

void TCanvas::DrawTextDecorations(const TFontFace& face, std::span<const TTextLineSpan> lines)
{
    QPainter* p = Painter();
    if (!p || !(face.Font().underline() || face.Font().strikeOut())) return;
    UseTextPen(*p);
    DrawDecorations(*p, face.Font(), face.RawFont(), lines);
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    QPainter* p = Painter();
    if (!p) return;
    const int ascent = Face().Ascent();
    int width = 0;
    if (m_font.Orientation() == 0) {
        width = DrawTextLine(text, -1, x, y, ascent, nullptr);
    } else {
        p->save();
        p->translate(x, y);
        p->rotate(-m_font.Orientation() / 10.0);
        width = DrawTextLine(text, -1, 0, 0, ascent, nullptr);
        p->restore();
    }
    m_penPos = TPoint(x + width, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    const QRect clip = r.ToQRect();
    if (clip.isEmpty()) return;
    DrawTextLine(text, -1, x, y, Face().Ascent(), &clip);
}

int TCanvas::DrawText(const QString& text, TRect& r, unsigned flags)
{
    const TFontFace& face = Face();
    const int lineHeight = face.Height() + ((flags & DT_EXTERNALLEADING) ? ExternalLeading() : 0);
    if (text.isEmpty()) {
        if (flags & DT_CALCRECT) {
            r.Right = r.Left;
            r.Bottom = r.Top;
        }
        return 0;
    }

    int underlineAt = -1;
    const QString plain = (flags & DT_NOPREFIX) ? text : StripPrefix(text, underlineAt);

    // Break into lines, remembering where the underlined character went.
    QStringList lines;
    if (flags & DT_SINGLELINE) {
        QString line = plain;
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        lines << line;
    } else {
        QString normalised = plain;
        normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        lines = normalised.split(QLatin1Char('\n'));
    }
    std::vector<int> underlines(lines.size(), -1);
    if (underlineAt >= 0) {
        int offset = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (underlineAt < offset + lines[i].size()) {
                underlines[i] = underlineAt - offset;
                break;
            }
            offset += lines[i].size() + 1;
        }
    }
    if (flags & DT_EXPANDTABS) {
        for (QString& line : lines)
            line = ExpandTabs(line, face);
    }
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) {
        QStringList wrapped;
        std::vector<int> wrappedUnderlines;
        for (int i = 0; i < lines.size(); ++i) {
            int at = underlines[i];
            for (const QString& piece : WrapLine(lines[i], r.Width(), face)) {
                wrapped << piece;
                wrappedUnderlines.push_back(at >= 0 && at < piece.size() ? at : -1);
                at = at >= 0 ? at - static_cast<int>(piece.size()) : -1;
            }
        }
        lines = wrapped;
        underlines = wrappedUnderlines;
    }
    if (flags & DT_END_ELLIPSIS) {
        for (int i = 0; i < lines.size(); ++i) {
            const QString cut = EndEllipsis(lines[i], r.Width(), face);
            if (cut != lines[i] && underlines[i] >= cut.size() - 3) underlines[i] = -1;
            lines[i] = cut;
        }
    }

    int maxWidth = 0;
    for (QString& line : lines) {
        if (flags & DT_WORDBREAK) {
            while (line.endsWith(QLatin1Char(' ')) && line.size() > 1)
                line.chop(1);
        }
        maxWidth = std::max(maxWidth, face.Width(line));
    }
    const int totalHeight = lineHeight * static_cast<int>(lines.size());

    if (flags & DT_CALCRECT) {
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + totalHeight;
        return totalHeight;
    }

    int top = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = r.Top + (r.Height() - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            top = r.Bottom - lineHeight;
    }
    const QRect clipRect(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    const QRect* clip = (flags & DT_NOCLIP) ? nullptr : &clipRect;
    if (clip && clip->isEmpty()) return totalHeight;
    for (int i = 0; i < lines.size(); ++i) {
        const int w = face.Width(lines[i]);
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - w;
        DrawTextLine(lines[i], underlines[i], x, top + i * lineHeight, face.Ascent(), clip);
    }
    if (flags & (DT_VCENTER | DT_BOTTOM)) return top - r.Top + totalHeight;
    return totalHeight;
}

// ---------------------------------------------------------------------------
// Bitmaps

namespace {
QPainter::CompositionMode CompositionFor(TCopyMode mode)
{
    switch (mode) {
    case cmSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    case cmNotSrcCopy:
        return QPainter::RasterOp_NotSource;
    case cmMergePaint:
        return QPainter::RasterOp_NotSourceOrDestination;
    case cmSrcCopy:
        break;
    }
    return QPainter::CompositionMode_Source;
}
} // namespace

void TCanvas::Draw(int x, int y, const QImage& image)
{
    QPainter* p = Painter();
    if (!p || image.isNull()) return;
    p->drawImage(x, y, image);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    Draw(x, y, bitmap.ImageForDrawing());
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image)
{
    QPainter* p = Painter();
    if (!p || image.isNull() || r.IsEmpty()) return;
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->drawImage(r.ToQRect(), image);
    p->restore();
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    StretchDraw(r, bitmap.ImageForDrawing());
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    QImage* sourceImage = source.Image();
    QPainter* p = Painter();
    if (!p || !sourceImage || dest.IsEmpty() || sourceRect.IsEmpty()) return;
    if (&source != this) source.ReleasePainter();
    // Copy first: the source may be the destination itself.
    const QImage piece = sourceImage->copy(sourceRect.ToQRect());
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setCompositionMode(CompositionFor(m_copyMode));
    p->drawImage(dest.ToQRect(), piece);
    p->restore();
}

// ---------------------------------------------------------------------------
// Clipping and state

void TCanvas::SetClipRect(const TRect& r)
{
    if (QPainter* p = Painter()) p->setClipRect(r.ToQRect(), Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    if (QPainter* p = Painter())
        p->setClipRect(r.ToQRect(), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::SetClipRegion(const QRegion& region)
{
    if (QPainter* p = Painter()) p->setClipRegion(region, Qt::ReplaceClip);
}

void TCanvas::RemoveClip()
{
    if (m_painter) m_painter->setClipping(false);
}

bool TCanvas::HasClip() const
{
    return m_painter && m_painter->hasClipping();
}

TRect TCanvas::ClipRect() const
{
    if (m_painter && m_painter->hasClipping())
        return TRect::FromQRect(m_painter->clipBoundingRect().toAlignedRect());
    if (!m_device) return TRect();
    return TRect(0, 0, m_device->width(), m_device->height());
}

void TCanvas::SaveState()
{
    auto s = std::make_unique<SavedState>();
    s->font = m_font;
    s->pen.Assign(m_pen);
    s->brush.Assign(m_brush);
    s->bkMode = m_bkMode;
    s->bkColor = m_bkColor;
    s->copyMode = m_copyMode;
    s->penPos = m_penPos;
    m_saved.push_back(std::move(s));
    if (QPainter* p = Painter()) p->save();
}

void TCanvas::RestoreState()
{
    if (m_saved.empty()) return;
    std::unique_ptr<SavedState> s = std::move(m_saved.back());
    m_saved.pop_back();
    m_font = s->font;
    m_pen.Assign(s->pen);
    m_brush.Assign(s->brush);
    m_bkMode = s->bkMode;
    m_bkColor = s->bkColor;
    m_copyMode = s->copyMode;
    m_penPos = s->penPos;
    if (m_painter) m_painter->restore();
}

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    canvas.Pen().SetWidth(1);
    --r.Bottom;
    --r.Right;
    while (width-- > 0) {
        canvas.Pen().SetColor(topColor);
        canvas.Polyline({TPoint(r.Left, r.Bottom), TPoint(r.Left, r.Top), TPoint(r.Right, r.Top)});
        canvas.Pen().SetColor(bottomColor);
        canvas.Polyline(
            {TPoint(r.Right, r.Top), TPoint(r.Right, r.Bottom), TPoint(r.Left - 1, r.Bottom)});
        r.Inflate(-1, -1);
    }
    ++r.Bottom;
    ++r.Right;
}
