#pragma once

#include "platform/canvas.h"
#include "platform/color.h"

#include <QImage>
#include <QString>

#include <memory>

// A memory bitmap: an RGB image with a canvas to draw on it. Transparent bitmaps leave
// out their transparent colour when drawn (clDefault: the bottom-left pixel's colour).
class TBitmap
{
public:
    TBitmap();
    TBitmap(int width, int height);
    explicit TBitmap(const QImage& image);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    bool Empty() const { return m_image.isNull(); }
    // Resizing keeps the pixels that still fit; new pixels are white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }

    // The pixels; any drawing in progress is finished first.
    const QImage& Image() const;
    QImage& Image();
    void SetImage(const QImage& image);

    TCanvas& Canvas();

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on) { m_transparent = on; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { m_transparentColor = color; }

    // The image with the transparent colour made fully transparent (or as it is when the
    // bitmap is opaque).
    QImage ImageForDrawing() const;

    // Raise Exception naming the file on failure.
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;
    void Assign(const TBitmap& other);

private:
    void Finish() const;

    QImage m_image;
    mutable std::unique_ptr<TCanvas> m_canvas;
    bool m_transparent = false;
    TColor m_transparentColor = clDefault;
};
