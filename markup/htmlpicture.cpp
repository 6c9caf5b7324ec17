// Decoding follows the classic picture loader: the encoded bytes are copied into a memory
// stream and handed to the image reader, which decides the format from the content. For a
// GIF the copy leaves out the frames before the selected one, so the reader's first image
// is that frame. Sizes go through hundredths of a millimetre, the unit pictures report
// their size in, so that natural sizes on printers scale exactly as on the screen.
#include "markup/htmlpicture.h"

#include "markup/gifframes.h"
#include "platform/canvas.h"
#include "platform/exceptions.h"
#include "platform/numeric.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <new>

namespace {

constexpr int ScreenPixelsPerInch = 96;
constexpr int HimetricPerInch = 2540;

// Pixels at 96 dpi to hundredths of a millimetre and back to pixels at another resolution.
int ScalePixels(int pixels, int pixelsPerInch)
{
    const int himetric = MulDiv(pixels, HimetricPerInch, ScreenPixelsPerInch);
    return MulDiv(himetric, pixelsPerInch, HimetricPerInch);
}

// The formats a picture may hold; anything else the reader could decode is refused.
bool IsPictureFormat(const QByteArray& format)
{
    static const QByteArrayList formats{"bmp", "ico", "cur", "jpeg", "jpg", "gif", "png"};
    return formats.contains(format.toLower());
}

QImage DecodeImage(QByteArray& bytes)
{
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Could not create image stream"));
    QImageReader reader(&buffer);
    if (!IsPictureFormat(reader.format()))
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    QImage image;
    if (!reader.read(&image))
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    if (image.isNull()) throw Exception(QStringLiteral("Could not load image"));
    return image;
}

} // namespace

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

// ---------------------------------------------------------------------------
// Loading and saving

void THTMLPicture::SetData(const QByteArray& bytes)
{
    m_data = bytes;
    m_empty = false;
    m_image = QImage();
    m_framesScanned = false;
    m_frameOffsets.clear();
    ResetAnimation();
}

void THTMLPicture::ResetAnimation()
{
    m_frameTime = -1;
    m_ticks = 0;
}

void THTMLPicture::Changed()
{
    if (OnChange) OnChange(this);
}

const std::vector<qsizetype>& THTMLPicture::FrameOffsets() const
{
    if (!m_framesScanned) {
        m_frameOffsets = GifFrameOffsets(m_data);
        m_framesScanned = true;
    }
    return m_frameOffsets;
}

void THTMLPicture::Decode()
{
    m_image = QImage();
    m_screenSize = QSize();
    m_frameRect = TRect();
    QByteArray bytes;
    QSize screen;
    try {
        const std::vector<qsizetype>& offsets = FrameOffsets();
        if (!offsets.empty()) {
            if (m_frame < 1 || m_frame > int(offsets.size())) m_frame = 1;
            bytes = GifFromFrame(m_data, offsets, m_frame);
            const TGifFrameInfo info = GifFrameInfoAt(m_data, offsets[size_t(m_frame - 1)]);
            m_frameRect =
                TRect(info.Left, info.Top, info.Left + info.Width, info.Top + info.Height);
            screen = GifScreenSize(m_data);
        } else {
            bytes = m_data;
        }
    } catch (const std::bad_alloc&) {
        throw Exception(QStringLiteral("Could not allocate memory for image"));
    }
    m_image = DecodeImage(bytes);
    m_screenSize = screen;
}

void THTMLPicture::LoadFromData(const QByteArray& bytes)
{
    SetData(bytes);
    Decode();
    Changed();
}

void THTMLPicture::LoadFromStream(QIODevice& stream)
{
    LoadFromData(stream.readAll());
}

void THTMLPicture::ReadData(QIODevice& stream)
{
    SetData(stream.readAll());
    Decode();
}

void THTMLPicture::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromStream(file);
}

void THTMLPicture::LoadFromResourceName(const QString& name)
{
    QFile resource(QStringLiteral(":/") + name);
    if (!resource.exists() || !resource.open(QIODevice::ReadOnly)) return;
    LoadFromStream(resource);
}

void THTMLPicture::LoadFromResourceID(int id)
{
    LoadFromResourceName(QString::number(id));
}

void THTMLPicture::LoadFromURL(const QString& address)
{
    static const QLatin1StringView resourcePrefix("RES://");
    static const QLatin1StringView filePrefix("FILE://");
    if (address.startsWith(resourcePrefix, Qt::CaseInsensitive)) {
        m_id = address;
        LoadFromResourceName(address.mid(resourcePrefix.size()));
    } else if (address.startsWith(filePrefix, Qt::CaseInsensitive)) {
        m_id = address;
        LoadFromFile(address.mid(filePrefix.size()));
    } else if (m_asynch && !m_busy) {
        // A download would start here; the address is registered and the picture stays
        // empty. ID is set too, so a cache finds the entry instead of adding another.
        m_url = address;
        m_id = address;
        m_busy = true;
    } else {
        m_url = address;
        m_id = address;
    }
}

void THTMLPicture::SaveToStream(QIODevice& stream) const
{
    stream.write(m_data);
}

void THTMLPicture::Assign(const THTMLPicture* source)
{
    m_frame = 1;
    if (!source || source->GetEmpty()) {
        m_data.clear();
        m_empty = true;
        m_image = QImage();
        m_framesScanned = false;
        m_frameOffsets.clear();
        ResetAnimation();
        Changed();
        return;
    }
    LoadFromData(QByteArray(source->m_data));
}

// ---------------------------------------------------------------------------
// Sizes and drawing

int THTMLPicture::GetWidth() const
{
    return ScalePixels(m_image.width(), ScreenPixelsPerInch);
}

int THTMLPicture::GetHeight() const
{
    return ScalePixels(m_image.height(), ScreenPixelsPerInch);
}

int THTMLPicture::GetMaxWidth() const
{
    if (m_image.isNull()) return 0;
    return m_screenSize.width() > 0 ? m_screenSize.width() : GetWidth();
}

int THTMLPicture::GetMaxHeight() const
{
    if (m_image.isNull()) return 0;
    return m_screenSize.height() > 0 ? m_screenSize.height() : GetHeight();
}

int THTMLPicture::NaturalWidth(int pixelsPerInch) const
{
    return ScalePixels(m_image.width(), pixelsPerInch);
}

int THTMLPicture::NaturalHeight(int pixelsPerInch) const
{
    return ScalePixels(m_image.height(), pixelsPerInch);
}

bool THTMLPicture::IsGIFFile() const
{
    return IsGIFData(m_data);
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& rect) const
{
    if (m_stretch)
        DrawStretched(canvas, rect);
    else
        DrawAt(canvas, rect.Left, rect.Top);
}

void THTMLPicture::DrawAt(TCanvas& canvas, int x, int y) const
{
    if (m_empty || m_image.isNull()) return;
    const int width = NaturalWidth(canvas.PixelsPerInchX());
    const int height = NaturalHeight(canvas.PixelsPerInchY());
    canvas.StretchDraw(TRect(x, y, x + width, y + height), m_image);
}

void THTMLPicture::DrawStretched(TCanvas& canvas, const TRect& rect) const
{
    if (m_empty || m_image.isNull()) return;
    canvas.StretchDraw(rect, m_image);
}

// ---------------------------------------------------------------------------
// Frames and animation

int THTMLPicture::GetFrameCount() const
{
    if (!IsGIFFile()) return -1;
    return int(FrameOffsets().size());
}

int THTMLPicture::GetFrameTime(int frame) const
{
    const std::vector<qsizetype>& offsets = FrameOffsets();
    if (frame < 1 || frame > int(offsets.size())) return -1;
    const TGifFrameInfo info = GifFrameInfoAt(m_data, offsets[size_t(frame - 1)]);
    m_frameTransparent = info.Transparent;
    return info.Delay;
}

void THTMLPicture::SetFrame(int frame)
{
    const int count = GetFrameCount();
    if (count >= 1) frame = std::clamp(frame, 1, count);
    if (frame == m_frame && !m_image.isNull()) return;
    m_frame = frame;
    if (m_empty) return;
    Decode();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    const int next = m_frame + 1;
    SetFrame(next > GetFrameCount() ? 1 : next);
}

void THTMLPicture::FramePrev()
{
    const int previous = m_frame - 1;
    SetFrame(previous < 1 ? std::max(1, GetFrameCount()) : previous);
}

bool THTMLPicture::Step()
{
    if (m_empty || GetFrameCount() < 2) return false;
    if (m_frameTime == -1) m_frameTime = GetFrameTime(m_frame);
    bool changed = false;
    // Delays are in hundredths of a second and one tick is a tenth.
    if (m_ticks * 10 >= m_frameTime) {
        // Animation runs from timers, where an exception has nowhere to go: a frame that
        // does not decode is shown as nothing and the animation goes on.
        try {
            FrameNext();
        } catch (const Exception&) {
        }
        m_frameTime += GetFrameTime(m_frame);
        changed = true;
    }
    ++m_ticks;
    return changed;
}
