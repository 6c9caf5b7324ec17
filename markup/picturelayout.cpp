#include "markup/picturelayout.h"

TRect PicturePlacement(TPicturePosition position, const TRect& client, const QSize& pictureSize)
{
    const int width = pictureSize.width();
    const int height = pictureSize.height();
    if (width <= 0 || height <= 0 || client.IsEmpty()) return {};
    auto at = [&](int left, int top) { return TRect(left, top, left + width, top + height); };
    switch (position) {
    case bpTopLeft:
    case bpTiled:
        return at(client.Left, client.Top);
    case bpTopRight:
        return at(client.Right - width, client.Top);
    case bpBottomLeft:
        return at(client.Left, client.Bottom - height);
    case bpBottomRight:
        return at(client.Right - width, client.Bottom - height);
    case bpCenter:
        return at(client.Left + (client.Width() - width) / 2,
                  client.Top + (client.Height() - height) / 2);
    case bpStretched:
        return client;
    }
    return {};
}
