// Bitmap blits for buttons and bars.
//
// The transparent blit (the pixels of one colour leave the destination unchanged) is done
// with an alpha channel rather than a monochrome mask and raster operations; it yields
// the same pixels. Stretching is nearest-pixel, as a colour-on-colour stretch blit is.
#include "markup/bitmaproutines.h"

#include <QImage>
#include <QPainter>

namespace {

QRgb Opaque(QRgb rgb)
{
    return rgb | 0xFF000000u;
}

// The piece of the image with every pixel of the key colour made fully transparent.
QImage KeyedOut(const QImage& source, const QRect& area, QRgb key)
{
    QImage out = source.copy(area).convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = Opaque(key);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (Opaque(line[x]) == opaqueKey) line[x] = 0;
        }
    }
    return out;
}

// The image with every pixel of the key colour replaced by another colour.
QImage Recoloured(const QImage& source, QRgb key, QRgb replacement)
{
    QImage out = source.convertToFormat(QImage::Format_RGB32);
    const QRgb opaqueKey = Opaque(key);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (Opaque(line[x]) == opaqueKey) line[x] = Opaque(replacement);
        }
    }
    return out;
}

void TransparentBlit(TCanvas& canvas, int x, int y, const QImage& source, const QRect& area,
                     QRgb key)
{
    const QRect clipped = area.intersected(source.rect());
    if (clipped.isEmpty()) return;
    canvas.Draw(x + clipped.x() - area.x(), y + clipped.y() - area.y(),
                KeyedOut(source, clipped, key));
}

void StretchBlit(TCanvas& canvas, const TRect& dest, const QImage& source, const QRect& area)
{
    const QRect clipped = area.intersected(source.rect());
    if (dest.IsEmpty() || clipped.isEmpty()) return;
    canvas.StretchDraw(dest, source.copy(clipped));
}

} // namespace

void DrawBitmapTransp(const TRect& DestRect, TCanvas& Canvas, const TBitmap& Bitmap, TColor BkColor,
                      const TRect& SrcRect)
{
    if (Bitmap.Empty() || DestRect.IsEmpty() || SrcRect.IsEmpty()) return;
    const QImage& image = Bitmap.Image();
    const QRgb key = image.pixel(0, 0);
    if (BkColor == clNone) {
        Canvas.StretchDraw(DestRect, KeyedOut(image, SrcRect.ToQRect(), key));
        return;
    }
    TBitmap copy(Recoloured(image, key, ToQColor(BkColor).rgb()));
    Canvas.CopyRect(DestRect, copy.Canvas(), SrcRect);
}

void BitmapStretch(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Width)
{
    if (Bitmap.Empty()) return;
    const QImage& image = Bitmap.Image();
    const int width = image.width();
    const int height = image.height();
    const int half = width / 2;
    const int stretch = Width - width;
    const QRgb key = image.pixel(0, height - 1);

    TransparentBlit(Canvas, X, Y, image, QRect(0, 0, half, height), key);
    if (stretch > 0)
        StretchBlit(Canvas, TRect(X + half, Y, X + half + stretch, Y + height), image,
                    QRect(half - 1, 0, 2, height));
    TransparentBlit(Canvas, X + half + stretch, Y, image, QRect(half, 0, half, height), key);
}

void BitmapStretchHeight(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Height,
                         int Width)
{
    if (Bitmap.Empty() || Height <= 0) return;
    const QImage& image = Bitmap.Image();
    const int half = image.width() / 2;
    StretchBlit(Canvas, TRect(X, Y, X + half, Y + Height), image,
                QRect(0, 0, half, image.height()));
    StretchBlit(Canvas, TRect(X + Width - half, Y, X + Width, Y + Height), image,
                QRect(half, 0, half, image.height()));
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(FromQColor(image.pixelColor(image.width() / 2, image.height() / 2)));
    Canvas.FillRect(TRect(X + half, Y, X + Width - half, Y + Height));
}
