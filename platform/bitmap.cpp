#include "platform/bitmap.h"

#include "platform/exceptions.h"

#include <QPainter>

namespace {
constexpr QImage::Format BitmapFormat = QImage::Format_RGB32;

QImage NewImage(int width, int height)
{
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, BitmapFormat);
    image.fill(Qt::white);
    return image;
}
} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) : m_image(NewImage(width, height)) {}

TBitmap::TBitmap(const QImage& image) { SetImage(image); }

TBitmap::TBitmap(const TBitmap& other) { Assign(other); }

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    Assign(other);
    return *this;
}

TBitmap::~TBitmap() { m_canvas.reset(); }

void TBitmap::Finish() const
{
    if (m_canvas) m_canvas->ReleasePainter();
}

void TBitmap::SetSize(int width, int height)
{
    if (width == Width() && height == Height()) return;
    Finish();
    QImage resized = NewImage(width, height);
    if (!resized.isNull() && !m_image.isNull()) {
        QPainter p(&resized);
        p.drawImage(0, 0, m_image);
    }
    m_image = resized;
}

const QImage& TBitmap::Image() const
{
    Finish();
    return m_image;
}

QImage& TBitmap::Image()
{
    Finish();
    return m_image;
}

void TBitmap::SetImage(const QImage& image)
{
    Finish();
    m_image = image.isNull() ? QImage() : image.convertToFormat(BitmapFormat);
}

TCanvas& TBitmap::Canvas()
{
    if (!m_canvas) m_canvas = std::make_unique<TCanvas>(&m_image);
    return *m_canvas;
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentColor != clDefault) return m_transparentColor;
    const QImage& image = Image();
    if (image.isNull()) return clNone;
    return FromQColor(image.pixelColor(0, image.height() - 1));
}

QImage TBitmap::ImageForDrawing() const
{
    const QImage& image = Image();
    if (!m_transparent || image.isNull()) return image;
    const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    return out;
}

void TBitmap::LoadFromFile(const QString& fileName)
{
    QImage image;
    if (!image.load(fileName))
        throw Exception(QStringLiteral("Cannot load bitmap from \"%1\"").arg(fileName));
    SetImage(image);
}

void TBitmap::SaveToFile(const QString& fileName) const
{
    if (!Image().save(fileName))
        throw Exception(QStringLiteral("Cannot save bitmap to \"%1\"").arg(fileName));
}

void TBitmap::Assign(const TBitmap& other)
{
    if (this == &other) return;
    Finish();
    m_image = other.Image().copy();
    m_transparent = other.m_transparent;
    m_transparentColor = other.m_transparentColor;
}
