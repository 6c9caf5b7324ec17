#include "markup/gifframes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype HeaderSize = 13; // signature, version, logical screen descriptor
constexpr unsigned char ExtensionIntroducer = 0x21;
constexpr unsigned char GraphicControlLabel = 0xF9;
constexpr unsigned char GraphicControlSize = 4;
constexpr unsigned char ImageSeparator = 0x2C;
constexpr qsizetype SeparatorDistance = 8; // from the "!" to the "," of its image
constexpr qsizetype DescriptorFields = 9;  // from the "," to the end of its four sizes

unsigned char ByteAt(QByteArrayView data, qsizetype i)
{
    return static_cast<unsigned char>(data[i]);
}

int Word16At(QByteArrayView data, qsizetype i)
{
    return ByteAt(data, i) | (ByteAt(data, i + 1) << 8);
}

// Where frames may begin: after the header and the global colour table, whose colours
// could otherwise be taken for a frame.
qsizetype FirstScanOffset(QByteArrayView data)
{
    if (data.size() < HeaderSize) return data.size();
    const unsigned char flags = ByteAt(data, 10);
    if ((flags & 0x80) == 0) return HeaderSize;
    const qsizetype tableSize = 3 * (qsizetype(2) << (flags & 0x07));
    return std::min(data.size(), HeaderSize + tableSize);
}

bool FrameStartsAt(QByteArrayView data, qsizetype i)
{
    return i + SeparatorDistance < data.size() && ByteAt(data, i + 1) == GraphicControlLabel &&
           ByteAt(data, i + 2) == GraphicControlSize &&
           ByteAt(data, i + SeparatorDistance) == ImageSeparator;
}

} // namespace

bool IsGIFData(QByteArrayView data)
{
    return data.size() >= 5 && data.startsWith(QByteArrayView("GIF8"));
}

std::vector<qsizetype> GifFrameOffsets(QByteArrayView data)
{
    std::vector<qsizetype> offsets;
    if (!IsGIFData(data)) return offsets;
    const char* bytes = data.data();
    const qsizetype end = data.size();
    for (qsizetype i = FirstScanOffset(data); i < end; ++i) {
        const void* next = std::memchr(bytes + i, ExtensionIntroducer, size_t(end - i));
        if (!next) break;
        i = static_cast<const char*>(next) - bytes;
        if (FrameStartsAt(data, i)) offsets.push_back(i);
    }
    return offsets;
}

TGifFrameInfo GifFrameInfoAt(QByteArrayView data, qsizetype offset)
{
    TGifFrameInfo info;
    if (offset < 0 || !FrameStartsAt(data, offset)) return info;
    info.Transparent = (ByteAt(data, offset + 3) & 0x01) != 0;
    info.Delay = Word16At(data, offset + 4);
    const qsizetype separator = offset + SeparatorDistance;
    if (separator + DescriptorFields <= data.size()) {
        info.Left = Word16At(data, separator + 1);
        info.Top = Word16At(data, separator + 3);
        info.Width = Word16At(data, separator + 5);
        info.Height = Word16At(data, separator + 7);
    }
    return info;
}

QSize GifScreenSize(QByteArrayView data)
{
    if (!IsGIFData(data) || data.size() < 10) return {};
    return QSize(Word16At(data, 6), Word16At(data, 8));
}

QByteArray GifFromFrame(QByteArrayView data, const std::vector<qsizetype>& offsets, int frame)
{
    if (frame < 1 || frame > int(offsets.size())) return data.toByteArray();
    const qsizetype headerEnd = offsets.front();
    const qsizetype frameStart = offsets[size_t(frame - 1)];
    if (headerEnd < 0 || frameStart < headerEnd || frameStart > data.size())
        return data.toByteArray();
    QByteArray copy;
    copy.reserve(headerEnd + data.size() - frameStart);
    copy.append(data.first(headerEnd));
    copy.append(data.sliced(frameStart));
    return copy;
}
