// THTMLImage: picture placement, rendering of each PicturePosition, animation and the
// forwarded download events.
#include "markup/htmlimage.h"
#include "markup/picturelayout.h"

#include "support/gifwriter.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

const QColor Red(255, 0, 0), Blue(0, 0, 255), White(255, 255, 255);

// A 4 x 3 red picture whose top-left pixel is blue, so every placement shows its origin.
QByteArray MarkedPng()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Red);
    image.setPixelColor(0, 0, Blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage Render(THTMLImage& control)
{
    QImage image(control.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    control.render(&image);
    return image;
}

// The bounding box of the pixels that are not the background.
QRect PaintedArea(const QImage& image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != White) area |= QRect(x, y, 1, 1);
    return area;
}

class ImageControl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QPalette palette = m_control.palette();
        palette.setColor(QPalette::Window, White);
        m_control.setPalette(palette);
        m_control.resize(20, 16);
        m_control.HTMLPicture().LoadFromData(MarkedPng());
    }
    THTMLImage m_control;
};

TEST(PicturePlacement, PutsThePictureWhereAsked)
{
    const TRect client(0, 0, 20, 10);
    const QSize picture(4, 3);
    const std::pair<TPicturePosition, TRect> cases[] = {
        {bpTopLeft, TRect(0, 0, 4, 3)},     {bpTopRight, TRect(16, 0, 20, 3)},
        {bpBottomLeft, TRect(0, 7, 4, 10)}, {bpBottomRight, TRect(16, 7, 20, 10)},
        {bpCenter, TRect(8, 3, 12, 6)},     {bpTiled, TRect(0, 0, 4, 3)},
        {bpStretched, TRect(0, 0, 20, 10)},
    };
    for (const auto& [position, expected] : cases)
        EXPECT_EQ(PicturePlacement(position, client, picture), expected) << int(position);

    // Offset clients, larger pictures and empty input.
    EXPECT_EQ(PicturePlacement(bpBottomRight, TRect(5, 5, 25, 15), picture), TRect(21, 12, 25, 15));
    EXPECT_EQ(PicturePlacement(bpCenter, TRect(0, 0, 4, 4), QSize(8, 6)), TRect(-2, -1, 6, 5));
    EXPECT_TRUE(PicturePlacement(bpCenter, client, QSize()).IsEmpty());
    EXPECT_TRUE(PicturePlacement(bpStretched, TRect(), picture).IsEmpty());
}

TEST_F(ImageControl, RendersAtItsPlacementTiledOrStretched)
{
    const std::pair<TPicturePosition, QRect> cases[] = {{bpBottomRight, QRect(16, 13, 4, 3)},
                                                        {bpCenter, QRect(8, 6, 4, 3)}};
    for (const auto& [position, expected] : cases) {
        m_control.SetPicturePosition(position);
        const QImage image = Render(m_control);
        EXPECT_EQ(PaintedArea(image), expected) << int(position);
        EXPECT_EQ(image.pixelColor(expected.topLeft()), Blue) << int(position);
    }

    m_control.SetPicturePosition(bpTiled);
    QImage image = Render(m_control);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(image.pixelColor(x, y), (x % 4 == 0 && y % 3 == 0) ? Blue : Red)
                << x << "," << y;

    m_control.SetPicturePosition(bpStretched);
    image = Render(m_control);
    EXPECT_EQ(PaintedArea(image), QRect(0, 0, 20, 16));
    EXPECT_EQ(image.pixelColor(4, 4), Blue); // one picture pixel is 5 x 5.33 control pixels
    EXPECT_EQ(image.pixelColor(5, 5), Red);
}

TEST_F(ImageControl, TakesACopyOfAnAssignedPictureAndNoneDrawsOnlyTheBackground)
{
    EXPECT_EQ(m_control.sizeHint(), QSize(4, 3));
    THTMLPicture other;
    const QSize size(7, 5);
    other.LoadFromData(gifwriter::Encode(size, {gifwriter::Solid(size, Blue)}));
    m_control.SetHTMLPicture(&other);
    EXPECT_EQ(m_control.sizeHint(), size);
    EXPECT_EQ(PaintedArea(Render(m_control)), QRect(QPoint(0, 0), size));
    other.LoadFromData(MarkedPng());
    EXPECT_EQ(m_control.HTMLPicture().GetWidth(), 7);

    m_control.SetHTMLPicture(nullptr);
    EXPECT_TRUE(m_control.HTMLPicture().GetEmpty());
    EXPECT_TRUE(PaintedArea(Render(m_control)).isEmpty());
}

TEST_F(ImageControl, AnimatesGifFrames)
{
    const QSize size(20, 16);
    m_control.HTMLPicture().LoadFromData(
        gifwriter::Encode(size, {gifwriter::Solid(size, Red, 0), gifwriter::Solid(size, Blue, 0)}));
    EXPECT_EQ(Render(m_control).pixelColor(3, 3), Red);
    EXPECT_TRUE(m_control.AnimationTick());
    EXPECT_EQ(Render(m_control).pixelColor(3, 3), Blue);

    // The control's own timer drives the same steps.
    const int before = m_control.HTMLPicture().Frame();
    QElapsedTimer waited;
    waited.start();
    while (m_control.HTMLPicture().Frame() == before && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_NE(m_control.HTMLPicture().Frame(), before);

    m_control.SetAnimated(false);
    const int stopped = m_control.HTMLPicture().Frame();
    waited.restart();
    while (waited.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(m_control.HTMLPicture().Frame(), stopped);
}

TEST_F(ImageControl, ForwardsDownloadEventsAsItsOwn)
{
    QStringList seen;
    m_control.OnDownLoadError = [&](THTMLImage* sender, const QString& message) {
        EXPECT_EQ(sender, &m_control);
        seen << "error " + message;
    };
    m_control.OnDownLoadComplete = [&](THTMLImage*) { seen << "complete"; };
    m_control.OnDownLoadCancel = [&](THTMLImage*, bool& cancel) {
        cancel = true;
        seen << "cancel";
    };
    m_control.OnDownLoadProgress = [&](THTMLImage*, qint64 done, qint64 total) {
        seen << QString("progress %1/%2").arg(done).arg(total);
    };
    THTMLPicture& picture = m_control.HTMLPicture();
    picture.OnDownLoadError(&picture, "lost");
    picture.OnDownLoadComplete(&picture);
    bool cancel = false;
    picture.OnDownLoadCancel(&picture, cancel);
    picture.OnDownLoadProgress(&picture, 5, 10);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(seen, QStringList({"error lost", "complete", "cancel", "progress 5/10"}));
}

} // namespace
