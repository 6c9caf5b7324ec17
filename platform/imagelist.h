#pragma once

#include "platform/color.h"
#include "platform/component.h"

#include <QImage>

#include <vector>

class TCanvas;

// A list of same-sized images, drawn by index. Adding an image wider than the list
// splits it into as many images as fit side by side.
class TImageList : public TComponent
{
public:
    explicit TImageList(QObject* owner = nullptr, int width = 16, int height = 16);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Changing the size clears the list.
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(m_images.size()); }

    // Returns the index of the first image added.
    int Add(const QImage& image);
    // The colour given (or clDefault: the bottom-left pixel) becomes transparent.
    int AddMasked(const QImage& image, TColor maskColor);
    void Delete(int index);
    void Clear() { m_images.clear(); }

    // The image with its transparency, or a null image for a bad index.
    QImage Image(int index) const;
    // Draws image index with its top-left at (x, y); disabled images are drawn greyed.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    int m_width;
    int m_height;
    std::vector<QImage> m_images;
};
