#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

#include <vector>

// Frames of an animated GIF, found in the encoded bytes without decoding them.
//
// A frame is a graphic control extension ("!", 0xF9, block size 4) whose image separator
// "," follows right after its four data bytes and block terminator, i.e. 8 bytes after
// the "!". The bytes are scanned one by one from the end of the header and the global
// colour table on. Every read is checked against the end of the data, so any input is
// safe, however short or corrupt.

// True when the data has at least 5 bytes and starts with "GIF8".
bool IsGIFData(QByteArrayView data);

// Offsets of the "!" of every frame, in file order; empty for data that is not a GIF.
std::vector<qsizetype> GifFrameOffsets(QByteArrayView data);

// The position and size of a frame on the logical screen, its delay in hundredths of a
// second and whether it has a transparent colour.
struct TGifFrameInfo
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Delay = -1;
    bool Transparent = false;
};

// Information of the frame whose "!" is at offset (as returned by GifFrameOffsets); the
// image descriptor fields stay 0 when the data ends before them.
TGifFrameInfo GifFrameInfoAt(QByteArrayView data, qsizetype offset);

// The logical screen size stored in the header (bytes 6 to 9), or an empty size.
QSize GifScreenSize(QByteArrayView data);

// A copy of the GIF in which frame (1-based) comes first: the header, then everything
// from that frame's start to the end; the frames before it are left out, so a decoder
// shows that frame. offsets are those of GifFrameOffsets; a frame outside them gives an
// unchanged copy.
QByteArray GifFromFrame(QByteArrayView data, const std::vector<qsizetype>& offsets, int frame);
