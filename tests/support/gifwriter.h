#pragma once

// A small GIF89a writer for tests and benchmarks (Qt reads GIFs but does not write them).
// The image data is "uncompressed" LZW: every pixel is sent as its own literal code and a
// clear code follows often enough that the code width never leaves 9 bits, which every
// decoder accepts.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <algorithm>
#include <vector>

namespace gifwriter {

struct Frame
{
    QImage image;   // pixels with alpha 0 become the transparent colour
    QPoint offset;  // position on the logical screen
    int delay = 10; // hundredths of a second
};

class BitWriter
{
public:
    void Put(int code, int width)
    {
        m_accumulator |= unsigned(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_bits > 0) m_bytes.append(char(m_accumulator & 0xFF));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    unsigned m_accumulator = 0;
    int m_bits = 0;
};

inline void PutWord(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Index 0 is kept for transparency; the others are the opaque colours in order of
// appearance (at most 255).
inline std::vector<QRgb> BuildPalette(const std::vector<Frame>& frames)
{
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    for (const Frame& frame : frames) {
        const QImage image = frame.image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) == 0) continue;
                const QRgb opaque = pixel | 0xFF000000u;
                if (std::find(palette.begin() + 1, palette.end(), opaque) == palette.end() &&
                    palette.size() < 256)
                    palette.push_back(opaque);
            }
        }
    }
    palette.resize(256, qRgb(0, 0, 0));
    return palette;
}

inline int PaletteIndex(const std::vector<QRgb>& palette, QRgb pixel)
{
    if (qAlpha(pixel) == 0) return 0;
    const auto found = std::find(palette.begin() + 1, palette.end(), pixel | 0xFF000000u);
    return found == palette.end() ? 1 : int(found - palette.begin());
}

inline QByteArray ImageData(const QImage& source, const std::vector<QRgb>& palette)
{
    constexpr int ClearCode = 256, EndCode = 257, Width = 9, LiteralsPerClear = 250;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    BitWriter bits;
    bits.Put(ClearCode, Width);
    int sinceClear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == LiteralsPerClear) {
                bits.Put(ClearCode, Width);
                sinceClear = 0;
            }
            bits.Put(PaletteIndex(palette, image.pixel(x, y)), Width);
            ++sinceClear;
        }
    }
    bits.Put(EndCode, Width);
    const QByteArray packed = bits.Finish();
    QByteArray blocks;
    blocks.append(char(8)); // LZW minimum code size
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        blocks.append(char(block.size()));
        blocks.append(block);
    }
    blocks.append(char(0));
    return blocks;
}

inline QByteArray Encode(const QSize& screen, const std::vector<Frame>& frames)
{
    const std::vector<QRgb> palette = BuildPalette(frames);
    QByteArray out("GIF89a");
    PutWord(out, screen.width());
    PutWord(out, screen.height());
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));    // background colour index
    out.append(char(0));    // pixel aspect ratio
    for (QRgb colour : palette) {
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    for (const Frame& frame : frames) {
        bool transparent = false;
        const QImage argb = frame.image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height() && !transparent; ++y)
            for (int x = 0; x < argb.width() && !transparent; ++x)
                transparent = qAlpha(argb.pixel(x, y)) == 0;
        out.append("\x21\xF9\x04", 3);
        out.append(char((1 << 2) | (transparent ? 1 : 0))); // disposal: leave in place
        PutWord(out, frame.delay);
        out.append(char(0)); // transparent colour index
        out.append(char(0)); // block terminator
        out.append(char(0x2C));
        PutWord(out, frame.offset.x());
        PutWord(out, frame.offset.y());
        PutWord(out, frame.image.width());
        PutWord(out, frame.image.height());
        out.append(char(0)); // no local colour table, not interlaced
        out.append(ImageData(frame.image, palette));
    }
    out.append(char(0x3B));
    return out;
}

// A filled frame covering the whole screen.
inline Frame Solid(const QSize& size, QColor colour, int delay = 10)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return Frame{image, QPoint(0, 0), delay};
}

} // namespace gifwriter
