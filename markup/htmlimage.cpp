#include "markup/htmlimage.h"

#include "platform/canvas.h"

#include <QPainter>

namespace {
constexpr int AnimationTickMs = 100; // the period that THTMLPicture::Step stands for
}

THTMLImage::THTMLImage(QWidget* parent) : QWidget(parent)
{
    m_timer.setInterval(AnimationTickMs);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { AnimationTick(); });
    ConnectPicture();
}

THTMLImage::~THTMLImage()
{
    m_timer.stop();
    m_picture.OnChange = nullptr;
    m_picture.OnFrameChange = nullptr;
}

void THTMLImage::ConnectPicture()
{
    m_picture.OnChange = [this](THTMLPicture*) { PictureChanged(); };
    m_picture.OnFrameChange = [this](THTMLPicture*) { update(); };
    m_picture.OnDownLoadError = [this](THTMLPicture*, const QString& message) {
        if (OnDownLoadError) OnDownLoadError(this, message);
    };
    m_picture.OnDownLoadComplete = [this](THTMLPicture*) {
        if (OnDownLoadComplete) OnDownLoadComplete(this);
    };
    m_picture.OnDownLoadCancel = [this](THTMLPicture*, bool& cancel) {
        if (OnDownLoadCancel) OnDownLoadCancel(this, cancel);
    };
    m_picture.OnDownLoadProgress = [this](THTMLPicture*, qint64 bytesRead, qint64 total) {
        if (OnDownLoadProgress) OnDownLoadProgress(this, bytesRead, total);
    };
}

void THTMLImage::SetHTMLPicture(const THTMLPicture* picture)
{
    if (picture == &m_picture) return;
    m_picture.Assign(picture);
}

void THTMLImage::PictureChanged()
{
    UpdateTimer();
    updateGeometry();
    update();
}

void THTMLImage::SetPicturePosition(TPicturePosition position)
{
    if (position == m_position) return;
    m_position = position;
    update();
}

void THTMLImage::SetAnimated(bool animated)
{
    if (animated == m_animated) return;
    m_animated = animated;
    UpdateTimer();
}

void THTMLImage::UpdateTimer()
{
    if (m_animated && m_picture.GetFrameCount() > 1)
        m_timer.start();
    else
        m_timer.stop();
}

bool THTMLImage::AnimationTick()
{
    return m_picture.Step();
}

QSize THTMLImage::sizeHint() const
{
    if (m_picture.GetEmpty()) return QWidget::sizeHint();
    return QSize(m_picture.GetWidth(), m_picture.GetHeight());
}

void THTMLImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    const TRect client(0, 0, width(), height());
    const QSize natural(m_picture.NaturalWidth(canvas.PixelsPerInchX()),
                        m_picture.NaturalHeight(canvas.PixelsPerInchY()));
    const TRect place = PicturePlacement(m_position, client, natural);
    if (place.IsEmpty()) return;
    if (m_position == bpStretched) {
        m_picture.DrawStretched(canvas, place);
        return;
    }
    if (m_position != bpTiled) {
        m_picture.DrawAt(canvas, place.Left, place.Top);
        return;
    }
    for (int y = place.Top; y < client.Bottom; y += natural.height()) {
        for (int x = place.Left; x < client.Right; x += natural.width())
            m_picture.DrawAt(canvas, x, y);
    }
}
