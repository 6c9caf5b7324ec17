#include "platform/imagelist.h"

#include "platform/canvas.h"

#include <QPainter>

TImageList::TImageList(QObject* owner, int width, int height)
    : TComponent(owner), m_width(width), m_height(height)
{
}

void TImageList::SetSize(int width, int height)
{
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    Clear();
}

int TImageList::Add(const QImage& image)
{
    const int first = Count();
    if (image.isNull() || m_width <= 0 || m_height <= 0) return -1;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int pieces = std::max(1, argb.width() / m_width);
    for (int i = 0; i < pieces; ++i) {
        QImage piece(m_width, m_height, QImage::Format_ARGB32);
        piece.fill(Qt::transparent);
        QPainter p(&piece);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, argb, i * m_width, 0, m_width, m_height);
        p.end();
        m_images.push_back(piece);
    }
    return first;
}

int TImageList::AddMasked(const QImage& image, TColor maskColor)
{
    if (image.isNull()) return -1;
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = maskColor == clDefault
                         ? argb.pixel(0, argb.height() - 1) & 0xFFFFFF
                         : ToQColor(maskColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    return Add(argb);
}

void TImageList::Delete(int index)
{
    if (index >= 0 && index < Count()) m_images.erase(m_images.begin() + index);
}

QImage TImageList::Image(int index) const
{
    if (index < 0 || index >= Count()) return QImage();
    return m_images[static_cast<size_t>(index)];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    QImage image = Image(index);
    if (image.isNull()) return;
    if (!enabled) {
        // Greyed: keep the shape, wash out the colour.
        for (int py = 0; py < image.height(); ++py) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
            for (int px = 0; px < image.width(); ++px) {
                const int grey = (qGray(line[px]) + 2 * 192) / 3;
                line[px] = qRgba(grey, grey, grey, qAlpha(line[px]));
            }
        }
    }
    canvas.Draw(x, y, image);
}
