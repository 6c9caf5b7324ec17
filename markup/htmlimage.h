#pragma once

#include "markup/htmlpicture.h"
#include "markup/picturelayout.h"

#include <QTimer>
#include <QWidget>

#include <functional>

// A control that shows one picture, placed by PicturePosition. An animated GIF runs
// through its frames while Animated is on (the default); the timer only runs while the
// picture has more than one frame.
class THTMLImage : public QWidget
{
public:
    explicit THTMLImage(QWidget* parent = nullptr);
    ~THTMLImage() override;

    // The picture is owned by the control; load it directly or assign one.
    THTMLPicture& HTMLPicture() { return m_picture; }
    const THTMLPicture& HTMLPicture() const { return m_picture; }
    void SetHTMLPicture(const THTMLPicture* picture);

    TPicturePosition PicturePosition() const { return m_position; }
    void SetPicturePosition(TPicturePosition position);

    bool Animated() const { return m_animated; }
    void SetAnimated(bool animated);
    // One 100 ms animation step; the timer calls it. True when the frame changed.
    bool AnimationTick();

    QSize sizeHint() const override;

    // Forwarded from the picture, with this control as the sender.
    std::function<void(THTMLImage*, const QString& message)> OnDownLoadError;
    std::function<void(THTMLImage*)> OnDownLoadComplete;
    std::function<void(THTMLImage*, bool& cancel)> OnDownLoadCancel;
    std::function<void(THTMLImage*, qint64 bytesRead, qint64 totalBytes)> OnDownLoadProgress;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ConnectPicture();
    void PictureChanged();
    void UpdateTimer();

    THTMLPicture m_picture;
    TPicturePosition m_position = bpTopLeft;
    bool m_animated = true;
    QTimer m_timer;
};
