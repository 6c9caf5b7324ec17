// The GIF frame scanner and the picture loader on arbitrary bytes. The scanner's results
// must point inside the data, the frame copies must have the stated length, and loading
// may only fail with the loader's own exception.
#include "markup/gifframes.h"
#include "markup/htmlpicture.h"

#include "platform/exceptions.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

void CheckScanner(const QByteArray& data)
{
    const std::vector<qsizetype> offsets = GifFrameOffsets(data);
    qsizetype previous = -1;
    for (qsizetype offset : offsets) {
        Require(offset > previous && offset + 8 < data.size());
        Require(static_cast<unsigned char>(data[offset]) == 0x21);
        previous = offset;
        const TGifFrameInfo info = GifFrameInfoAt(data, offset);
        Require(info.Delay >= 0 && info.Width >= 0 && info.Height >= 0);
    }
    for (int frame = 0; frame <= int(offsets.size()) + 1; ++frame) {
        const QByteArray copy = GifFromFrame(data, offsets, frame);
        if (frame >= 1 && frame <= int(offsets.size()))
            Require(copy.size() == offsets[0] + data.size() - offsets[size_t(frame - 1)]);
        else
            Require(copy == data);
    }
}

void CheckPicture(const QByteArray& data)
{
    THTMLPicture picture;
    try {
        picture.LoadFromData(data);
    } catch (const Exception&) {
        return;
    }
    const int frames = picture.GetFrameCount();
    Require(frames >= -1);
    // A few frame changes and animation steps; a frame that fails to decode may raise.
    for (int i = 0; i < 4 && frames > 1; ++i) {
        try {
            picture.FrameNext();
        } catch (const Exception&) {
        }
        picture.Step();
        Require(picture.Frame() >= 1 && picture.Frame() <= frames);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    // Keep claimed screen sizes from allocating hundreds of megabytes per input.
    QImageReader::setAllocationLimit(16);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 1 << 16) return 0;
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    CheckScanner(data);
    CheckPicture(data);
    return 0;
}
