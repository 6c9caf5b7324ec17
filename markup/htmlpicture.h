#pragma once

#include "platform/geometry.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;
class TCanvas;

// A picture shown by the markup renderer: it keeps the encoded bytes as they were loaded
// (bitmap, icon, JPEG, GIF or PNG) and the image decoded from them. An animated GIF shows
// one frame at a time; selecting a frame decodes a copy of the bytes in which that frame
// comes first.
//
// Sizes are in pixels at 96 dots per inch. Loading raises Exception with one of the
// messages "Could not allocate memory for image", "Could not create image stream",
// "Could not load image. Invalid format" (corrupt, truncated or unknown data) or
// "Could not load image"; a failed load keeps the bytes but no decoded image.
class THTMLPicture
{
public:
    THTMLPicture();
    ~THTMLPicture();
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Loading. LoadFromStream reads from the stream's position to its end. ReadData and
    // WriteData are the form-streaming forms: the same bytes, without change notification.
    void LoadFromStream(QIODevice& stream);
    void ReadData(QIODevice& stream);
    void LoadFromData(const QByteArray& bytes);
    // Raises Exception ("Cannot open file ...") when the file cannot be read.
    void LoadFromFile(const QString& fileName);
    // Program resources are Qt resources: the name "logo.gif" reads ":/logo.gif" and the
    // number 7 reads ":/7". A resource that does not exist loads nothing.
    void LoadFromResourceName(const QString& name);
    void LoadFromResourceID(int id);
    // "RES://name" loads the resource name, "FILE://path" the file (prefixes in any letter
    // case); either sets ID to the address. Any other address is only registered: this
    // program does not transfer pictures over the network, so the picture stays empty.
    // With Asynch set (and not Busy) URL and ID take the address and Busy is set;
    // otherwise URL and ID take it.
    void LoadFromURL(const QString& address);

    void SaveToStream(QIODevice& stream) const;
    void WriteData(QIODevice& stream) const { SaveToStream(stream); }

    // Takes a copy of source's bytes, shows its first frame; an empty or missing source
    // empties this picture.
    void Assign(const THTMLPicture* source);

    // Draws the current frame: stretched into rect with Stretch, else at its natural size
    // for the canvas's resolution with its top-left at rect's. Nothing when empty.
    void Draw(TCanvas& canvas, const TRect& rect) const;
    // Always at natural size, or always stretched, whatever Stretch says.
    void DrawAt(TCanvas& canvas, int x, int y) const;
    void DrawStretched(TCanvas& canvas, const TRect& rect) const;
    // Natural size on a device of the given resolution.
    int NaturalWidth(int pixelsPerInch) const;
    int NaturalHeight(int pixelsPerInch) const;

    // Pixel size of the decoded image (0 when none).
    int GetWidth() const;
    int GetHeight() const;
    // The GIF logical screen size when it is positive, else GetWidth/GetHeight; 0 when
    // nothing is decoded.
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    bool GetEmpty() const { return m_empty; }
    bool IsGIFFile() const;
    const QByteArray& Data() const { return m_data; }
    // The decoded current frame; null when nothing is decoded.
    const QImage& Image() const { return m_image; }

    // Animation. GetFrameCount is -1 for anything but a GIF. Frames are numbered from 1.
    int GetFrameCount() const;
    // Delay of a frame in hundredths of a second, -1 when there is no such frame.
    int GetFrameTime(int frame) const;
    // Whether the frame last asked for by GetFrameTime has a transparent colour.
    bool FrameTransparent() const { return m_frameTransparent; }
    int Frame() const { return m_frame; }
    // Selects a frame (kept within the GIF's frames) and shows it.
    void SetFrame(int frame);
    void FrameNext();
    void FramePrev();
    // Position and size of the current frame on the logical screen.
    TRect FrameRect() const { return m_frameRect; }
    // One animation tick, standing for 100 ms: moves to the next frame once the delays
    // of the frames shown so far have passed. True when the frame changed. Never raises:
    // a frame that does not decode leaves the picture without an image until the next.
    bool Step();

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch) { m_stretch = stretch; }
    const QString& URL() const { return m_url; }
    const QString& ID() const { return m_id; }
    void SetID(const QString& id) { m_id = id; }
    bool Asynch() const { return m_asynch; }
    void SetAsynch(bool asynch) { m_asynch = asynch; }
    bool Busy() const { return m_busy; }

    // The sender is this picture. The download events exist for forms that bind them;
    // since nothing is transferred they are not fired.
    std::function<void(THTMLPicture*)> OnChange;
    std::function<void(THTMLPicture*)> OnFrameChange;
    std::function<void(THTMLPicture*, const QString& message)> OnDownLoadError;
    std::function<void(THTMLPicture*)> OnDownLoadComplete;
    std::function<void(THTMLPicture*, bool& cancel)> OnDownLoadCancel;
    std::function<void(THTMLPicture*, qint64 bytesRead, qint64 totalBytes)> OnDownLoadProgress;

private:
    void SetData(const QByteArray& bytes);
    void ResetAnimation();
    void Decode();
    void Changed();
    const std::vector<qsizetype>& FrameOffsets() const;

    QByteArray m_data;
    bool m_empty = true;
    QImage m_image;
    QSize m_screenSize;
    TRect m_frameRect;
    int m_frame = 1;
    mutable bool m_framesScanned = false;
    mutable std::vector<qsizetype> m_frameOffsets;
    mutable bool m_frameTransparent = false;
    qint64 m_frameTime = -1;
    qint64 m_ticks = 0;
    bool m_stretch = false;
    bool m_asynch = true;
    bool m_busy = false;
    QString m_url;
    QString m_id;
};
