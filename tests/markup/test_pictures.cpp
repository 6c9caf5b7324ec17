// GIF frame scanning, THTMLPicture loading, frames and animation, the picture cache and
// the picture container, on small images that the tests make themselves.
#include "markup/gifframes.h"
#include "markup/htmlpicture.h"
#include "markup/htmlpicturecache.h"
#include "markup/picturecontainer.h"

#include "platform/canvas.h"
#include "platform/exceptions.h"
#include "support/gifwriter.h"
#include "support/pixels.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QResource>
#include <QTemporaryDir>

namespace {

const QColor Red(255, 0, 0), Green(0, 255, 0), Blue(0, 0, 255);

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

QByteArray Png(int width, int height, TColor colour = clRed)
{
    return Encoded(FilledImage(width, height, colour), "PNG");
}

// Three frames of 6 x 4 pixels, red, green and blue, shown 0.1, 0.2 and 0.3 seconds.
QByteArray ThreeFrameGif()
{
    const QSize size(6, 4);
    return gifwriter::Encode(size,
                             {gifwriter::Solid(size, Red, 10), gifwriter::Solid(size, Green, 20),
                              gifwriter::Solid(size, Blue, 30)});
}

QColor CentreColour(const QImage& image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

QString LoadError(const QByteArray& bytes)
{
    THTMLPicture picture;
    try {
        picture.LoadFromData(bytes);
    } catch (const Exception& e) {
        return e.Message();
    }
    return QString();
}

// The picture drawn into `rect` of `target`.
QImage Drawn(const THTMLPicture& picture, QImage target, const TRect& rect)
{
    TCanvas canvas(&target);
    picture.Draw(canvas, rect);
    canvas.ReleasePainter();
    return target;
}

struct TPixel
{
    int X, Y;
    TColor Colour;
};

void ExpectPixels(const QImage& image, std::initializer_list<TPixel> pixels)
{
    for (const TPixel& p : pixels)
        EXPECT_EQ(At(image, p.X, p.Y), p.Colour) << p.X << "," << p.Y;
}

const QString InvalidFormat = QStringLiteral("Could not load image. Invalid format");

// Frame scanner

TEST(GifFrames, CopyFromAFrameDecodesToThatFrame)
{
    const QByteArray gif = ThreeFrameGif();
    const std::vector<qsizetype> offsets = GifFrameOffsets(gif);
    ASSERT_EQ(offsets.size(), 3u);
    const QColor expected[] = {Red, Green, Blue};
    for (int frame = 1; frame <= 3; ++frame) {
        const QByteArray copy = GifFromFrame(gif, offsets, frame);
        EXPECT_EQ(copy.left(offsets[0]), gif.left(offsets[0])); // the header is kept
        EXPECT_EQ(CentreColour(QImage::fromData(copy)), expected[frame - 1]) << frame;
        EXPECT_EQ(GifFrameOffsets(copy).size(), size_t(4 - frame));
    }
    // A frame that does not exist leaves the bytes as they are.
    EXPECT_EQ(GifFromFrame(gif, offsets, 0), gif);
    EXPECT_EQ(GifFromFrame(gif, offsets, 4), gif);
    EXPECT_EQ(GifScreenSize(gif), QSize(6, 4));
    EXPECT_EQ(GifFrameInfoAt(gif, offsets[0]).Delay, 10);
    EXPECT_EQ(GifFrameInfoAt(gif, offsets[0] + 1).Delay, -1); // not a frame start
}

TEST(GifFrames, OnlyGraphicControlBlocksCountAsFrames)
{
    EXPECT_FALSE(IsGIFData("GIF8"));
    EXPECT_TRUE(IsGIFData("GIF89"));
    EXPECT_TRUE(GifFrameOffsets(Png(2, 2)).empty());
    EXPECT_EQ(GifScreenSize("GIF89a\x05"), QSize());
    // A static GIF without a graphic control extension counts no frames.
    QByteArray still = ThreeFrameGif();
    still.remove(GifFrameOffsets(still)[0], 8);
    EXPECT_EQ(GifFrameOffsets(still).size(), 2u);

    // Colours 1 to 3 of the global table spell "!", 0xF9, 4, ..., "," by themselves.
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0x21, 0xF9, 0x04));
    image.setPixel(1, 0, qRgb(1, 2, 3));
    image.setPixel(2, 0, qRgb(4, 5, 0x2C));
    const QByteArray gif = gifwriter::Encode(QSize(3, 1), {gifwriter::Frame{image, {}, 5}});
    ASSERT_TRUE(gif.contains(QByteArray("\x21\xF9\x04\x01\x02\x03\x04\x05\x2C", 9)));
    EXPECT_EQ(GifFrameOffsets(gif).size(), 1u);
}

TEST(GifFrames, TruncatedAndCorruptDataIsSafe)
{
    const QByteArray gif = ThreeFrameGif();
    size_t previous = 0;
    for (qsizetype length = 0; length <= gif.size(); ++length) {
        const QByteArray part = gif.left(length);
        const std::vector<qsizetype> offsets = GifFrameOffsets(part);
        EXPECT_GE(offsets.size(), previous) << length; // frames only appear as data grows
        previous = offsets.size();
        for (qsizetype offset : offsets) {
            ASSERT_LT(offset + 8, part.size());
            GifFrameInfoAt(part, offset);
        }
        for (int frame = 0; frame <= int(offsets.size()) + 1; ++frame)
            GifFromFrame(part, offsets, frame);
    }
    EXPECT_EQ(previous, 3u);

    QRandomGenerator random(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray corrupt = gif;
        for (int i = 0; i < 12; ++i)
            corrupt[random.bounded(int(corrupt.size()))] = char(random.bounded(256));
        const std::vector<qsizetype> offsets = GifFrameOffsets(corrupt);
        for (qsizetype offset : offsets)
            GifFrameInfoAt(corrupt, offset);
        for (int frame = 1; frame <= int(offsets.size()); ++frame)
            GifFromFrame(corrupt, offsets, frame);
    }
}

// Loading

TEST(HTMLPicture, DecodesEachPictureFormat)
{
    const QImage source = FilledImage(5, 3, clRed);
    const std::pair<const char*, QByteArray> formats[] = {
        {"BMP", Encoded(source, "BMP")},
        {"PNG", Encoded(source, "PNG")},
        {"JPEG", Encoded(source, "JPEG")},
        {"ICO", Encoded(source, "ICO")},
        {"GIF", gifwriter::Encode(QSize(5, 3), {gifwriter::Solid(QSize(5, 3), Red)})},
    };
    for (const auto& [name, bytes] : formats) {
        SCOPED_TRACE(name);
        THTMLPicture picture;
        int changes = 0;
        picture.OnChange = [&](THTMLPicture* sender) {
            EXPECT_EQ(sender, &picture);
            ++changes;
        };
        picture.LoadFromData(bytes);
        EXPECT_FALSE(picture.GetEmpty());
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(QSize(picture.GetWidth(), picture.GetHeight()), QSize(5, 3));
        EXPECT_EQ(picture.Data(), bytes);
        const QColor centre = CentreColour(picture.Image());
        EXPECT_GT(centre.red(), 230);
        EXPECT_LT(centre.green(), 25);
    }
}

TEST(HTMLPicture, BadDataRaisesInvalidFormatAndAnEmptyPictureDrawsNothing)
{
    const QByteArray png = Png(8, 8);
    // Formats the reader knows but pictures do not hold are refused too.
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("this is not a picture"), png.left(png.size() / 2),
          QByteArray("GIF89a"), Encoded(FilledImage(2, 2, clRed), "XPM"),
          Encoded(FilledImage(2, 2, clRed), "PPM")})
        EXPECT_EQ(LoadError(bad), InvalidFormat) << bad.left(16).toStdString();
    const QByteArray gif = ThreeFrameGif();
    for (qsizetype length = 0; length <= gif.size(); length += 3) {
        const QString error = LoadError(gif.left(length));
        EXPECT_TRUE(error.isEmpty() || error == InvalidFormat)
            << length << ": " << qPrintable(error);
    }

    // A failed load keeps the bytes but no image.
    THTMLPicture picture;
    picture.LoadFromData(png);
    EXPECT_THROW(picture.LoadFromData("junk"), Exception);
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.Data(), QByteArray("junk"));
    EXPECT_TRUE(picture.Image().isNull());
    EXPECT_EQ(picture.GetWidth(), 0);

    THTMLPicture empty;
    EXPECT_TRUE(empty.GetEmpty());
    EXPECT_EQ(empty.GetFrameCount(), -1);
    EXPECT_FALSE(empty.Step());
    EXPECT_EQ(CountColor(Drawn(empty, FilledImage(4, 4), TRect(0, 0, 4, 4)), clWhite), 16);
}

TEST(HTMLPicture, StreamsKeepTheBytes)
{
    const QByteArray png = Png(3, 3, clBlue);
    QByteArray withPrefix = "skip" + png;
    QBuffer in(&withPrefix);
    in.open(QIODevice::ReadOnly);
    in.seek(4);
    THTMLPicture picture;
    picture.LoadFromStream(in);
    EXPECT_EQ(picture.Data(), png);

    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    picture.SaveToStream(out);
    picture.WriteData(out);
    EXPECT_EQ(saved, png + png);

    THTMLPicture read;
    int changes = 0;
    read.OnChange = [&](THTMLPicture*) { ++changes; };
    QBuffer again(&saved);
    again.open(QIODevice::ReadOnly);
    read.ReadData(again);
    EXPECT_EQ(changes, 0); // form streaming is not a change
    EXPECT_EQ(read.GetWidth(), 3);
}

TEST(HTMLPicture, AssignCopiesOrEmpties)
{
    THTMLPicture gif;
    gif.LoadFromData(ThreeFrameGif());
    gif.SetFrame(3);
    THTMLPicture copy;
    copy.Assign(&gif);
    EXPECT_EQ(copy.Data(), gif.Data());
    EXPECT_EQ(copy.Frame(), 1);
    EXPECT_EQ(CentreColour(copy.Image()), Red);
    copy.SetFrame(2);
    EXPECT_EQ(gif.Frame(), 3); // the copy is independent

    THTMLPicture empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_TRUE(copy.Data().isEmpty());
    copy.Assign(&gif);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_EQ(copy.GetWidth(), 0);
}

// Files, resources and addresses

class PictureFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir m_dir;
};

TEST_F(PictureFiles, FilesByNameAndByAddressInAnyLetterCase)
{
    const QString path = Write("a.png", Png(4, 6, clBlue));
    THTMLPicture picture;
    picture.LoadFromFile(path);
    EXPECT_EQ(picture.GetHeight(), 6);
    for (const QString prefix : {"FILE://", "file://", "File://"}) {
        THTMLPicture byAddress;
        byAddress.LoadFromURL(prefix + path);
        EXPECT_EQ(byAddress.GetHeight(), 6) << prefix.toStdString();
        EXPECT_EQ(byAddress.ID(), prefix + path);
        EXPECT_FALSE(byAddress.Busy());
    }
    try {
        picture.LoadFromFile(m_dir.filePath("missing.png"));
        FAIL() << "a missing file must raise";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot open file")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("missing.png"));
    }
}

// Qt resources stand in for program resources; rcc packs them at run time here.
TEST_F(PictureFiles, ResourcesByNameNumberAndAddress)
{
    Write("dot.png", Png(2, 9));
    Write("7", Encoded(FilledImage(3, 1, clRed), "BMP"));
    Write("pics.qrc", "<RCC><qresource prefix=\"/\"><file>dot.png</file><file>7</file>"
                      "</qresource></RCC>");
    const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/rcc";
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(rcc, {"-binary", "pics.qrc", "-o", "pics.rcc"});
    ASSERT_TRUE(process.waitForFinished()) << rcc.toStdString();
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    ASSERT_TRUE(QResource::registerResource(m_dir.filePath("pics.rcc")));

    THTMLPicture byName;
    byName.LoadFromResourceName("dot.png");
    EXPECT_EQ(byName.GetHeight(), 9);
    THTMLPicture byNumber;
    byNumber.LoadFromResourceID(7);
    EXPECT_EQ(byNumber.GetWidth(), 3);
    for (const QString address : {"RES://dot.png", "res://dot.png", "rEs://dot.png"}) {
        THTMLPicture picture;
        picture.LoadFromURL(address);
        EXPECT_EQ(picture.GetWidth(), 2) << address.toStdString();
        EXPECT_EQ(picture.ID(), address);
    }
    THTMLPicture missing;
    missing.LoadFromResourceName("nothing.png");
    missing.LoadFromURL("RES://nothing.png");
    EXPECT_TRUE(missing.GetEmpty());

    EXPECT_TRUE(QResource::unregisterResource(m_dir.filePath("pics.rcc")));
}

TEST(HTMLPicture, RemoteAddressesAreOnlyRegistered)
{
    THTMLPicture picture;
    picture.LoadFromURL("http://example.invalid/a.png");
    EXPECT_TRUE(picture.Busy());
    EXPECT_TRUE(picture.GetEmpty());
    picture.LoadFromURL("https://example.invalid/b.png"); // busy: just recorded
    EXPECT_EQ(picture.URL(), "https://example.invalid/b.png");
    EXPECT_EQ(picture.ID(), "https://example.invalid/b.png");
    EXPECT_TRUE(picture.GetEmpty());

    THTMLPicture direct;
    direct.SetAsynch(false);
    direct.LoadFromURL("http://example.invalid/c.png");
    EXPECT_FALSE(direct.Busy());
    EXPECT_EQ(direct.ID(), "http://example.invalid/c.png");
    EXPECT_TRUE(direct.GetEmpty());
}

// Frames and animation

TEST(HTMLPicture, GifFramesAreSelectableAndNewBytesForgetTheOldOnes)
{
    THTMLPicture picture;
    picture.LoadFromData(ThreeFrameGif());
    EXPECT_TRUE(picture.IsGIFFile());
    EXPECT_EQ(picture.GetFrameCount(), 3);
    EXPECT_EQ(CentreColour(picture.Image()), Red);

    int frameChanges = 0;
    picture.OnFrameChange = [&](THTMLPicture*) { ++frameChanges; };
    picture.SetFrame(2);
    EXPECT_EQ(CentreColour(picture.Image()), Green);
    EXPECT_EQ(frameChanges, 1);

    picture.SetFrame(3);
    picture.FrameNext();
    EXPECT_EQ(picture.Frame(), 1);
    EXPECT_EQ(CentreColour(picture.Image()), Red);
    picture.FramePrev();
    EXPECT_EQ(picture.Frame(), 3);
    EXPECT_EQ(CentreColour(picture.Image()), Blue);
    picture.SetFrame(9);
    EXPECT_EQ(picture.Frame(), 3);
    picture.SetFrame(-2);
    EXPECT_EQ(picture.Frame(), 1);

    picture.SetFrame(3);
    const QSize size(2, 2);
    picture.LoadFromData(
        gifwriter::Encode(size, {gifwriter::Solid(size, Green), gifwriter::Solid(size, Blue)}));
    EXPECT_EQ(picture.GetFrameCount(), 2);
    EXPECT_EQ(picture.Frame(), 1);
    EXPECT_EQ(CentreColour(picture.Image()), Green);
    picture.LoadFromData(Png(2, 2));
    EXPECT_EQ(picture.GetFrameCount(), -1);
}

TEST(HTMLPicture, FrameTimesAndPlaces)
{
    const QSize screen(12, 10);
    QImage small(4, 3, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    small.setPixelColor(1, 1, Blue);
    THTMLPicture picture;
    picture.LoadFromData(gifwriter::Encode(
        screen, {gifwriter::Solid(screen, Green, 25), gifwriter::Frame{small, QPoint(5, 6), 40}}));
    EXPECT_EQ(picture.GetFrameTime(1), 25);
    EXPECT_FALSE(picture.FrameTransparent());
    EXPECT_EQ(picture.GetFrameTime(2), 40);
    EXPECT_TRUE(picture.FrameTransparent());
    EXPECT_EQ(picture.GetFrameTime(3), -1);
    EXPECT_EQ(picture.GetFrameTime(0), -1);

    picture.SetFrame(2);
    EXPECT_EQ(picture.FrameRect(), TRect(5, 6, 9, 9));
    EXPECT_EQ(picture.GetMaxWidth(), 12);
    EXPECT_EQ(picture.GetMaxHeight(), 10);
    // The selected frame is decoded alone, on the logical screen.
    EXPECT_EQ(picture.Image().pixelColor(6, 7), Blue);
    EXPECT_EQ(picture.Image().pixelColor(0, 0).alpha(), 0);
}

TEST(HTMLPicture, StepFollowsTheFrameDelaysAndStillPicturesNeverStep)
{
    THTMLPicture picture;
    picture.LoadFromData(ThreeFrameGif()); // 10, 20 and 30 hundredths
    // One step is 100 ms: frame 1 shows one step, frame 2 two, frame 3 three.
    const int expected[] = {1, 2, 2, 3, 3, 3, 1, 2, 2, 3};
    int previous = picture.Frame();
    for (int i = 0; i < 10; ++i) {
        const bool changed = picture.Step();
        EXPECT_EQ(picture.Frame(), expected[i]) << "step " << i;
        EXPECT_EQ(changed, picture.Frame() != previous) << "step " << i;
        previous = picture.Frame();
    }

    const std::pair<QByteArray, int> stills[] = {
        {Png(2, 2), -1}, {gifwriter::Encode(QSize(2, 2), {gifwriter::Solid(QSize(2, 2), Red)}), 1}};
    for (const auto& [bytes, frames] : stills) {
        THTMLPicture still;
        still.LoadFromData(bytes);
        EXPECT_EQ(still.GetFrameCount(), frames);
        for (int i = 0; i < 20; ++i)
            EXPECT_FALSE(still.Step()) << frames;
        still.FrameNext();
        EXPECT_EQ(still.Frame(), 1);
    }
}

// Drawing

TEST(HTMLPicture, DrawsAtNaturalSizeForTheDeviceOrStretchedAndKeepsTransparentPixels)
{
    THTMLPicture picture;
    picture.LoadFromData(Png(3, 2));
    ExpectPixels(Drawn(picture, FilledImage(20, 20), TRect(5, 5, 15, 15)),
                 {{7, 6, clRed}, {8, 6, clWhite}, {7, 7, clWhite}});
    picture.SetStretch(true);
    ExpectPixels(Drawn(picture, FilledImage(20, 20), TRect(5, 5, 15, 15)),
                 {{14, 14, clRed}, {15, 15, clWhite}, {4, 4, clWhite}});

    THTMLPicture blue;
    blue.LoadFromData(Png(10, 5, clBlue));
    EXPECT_EQ(blue.NaturalWidth(96), 10);
    EXPECT_EQ(blue.NaturalWidth(192), 20);
    EXPECT_EQ(blue.NaturalHeight(300), 16); // 5 px at 96 dpi is 0.052 in
    QImage printerLike = FilledImage(40, 40);
    printerLike.setDotsPerMeterX(7559); // 192 dpi
    printerLike.setDotsPerMeterY(7559);
    ExpectPixels(Drawn(blue, printerLike, TRect(0, 0, 40, 40)),
                 {{19, 9, clBlue}, {20, 9, clWhite}, {19, 10, clWhite}});

    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, Red);
    image.setPixelColor(1, 0, Qt::transparent);
    THTMLPicture gif;
    gif.LoadFromData(gifwriter::Encode(QSize(2, 1), {gifwriter::Frame{image, {}, 10}}));
    ExpectPixels(Drawn(gif, FilledImage(4, 4, clLime), TRect(0, 0, 4, 4)),
                 {{0, 0, clRed}, {1, 0, clLime}});
}

// Cache and container

TEST(PictureCache, FindsByExactAddressReplacesClearsAndAnimates)
{
    THTMLPictureCache cache;
    THTMLPicture* first = cache.AddPicture();
    first->SetAsynch(false);
    first->LoadFromURL("http://a.invalid/Logo.png");
    THTMLPicture* second = cache.AddPicture();
    second->SetID("http://a.invalid/logo.png");
    EXPECT_EQ(cache.FindPicture("http://a.invalid/Logo.png"), first);
    EXPECT_EQ(cache.FindPicture("http://a.invalid/logo.png"), second);
    EXPECT_EQ(cache.FindPicture("HTTP://A.INVALID/LOGO.PNG"), nullptr);
    EXPECT_EQ(cache.GetPicture(2), nullptr);
    EXPECT_EQ(cache.GetPicture(-1), nullptr);

    auto* replacement = new THTMLPicture;
    replacement->SetID("two");
    cache.SetPicture(0, replacement);
    EXPECT_EQ(cache.FindPicture("http://a.invalid/Logo.png"), nullptr);
    EXPECT_EQ(cache.FindPicture("two"), replacement);
    EXPECT_THROW(cache.SetPicture(3, new THTMLPicture), EListError);

    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.FindPicture("two"), nullptr); // nothing dangling is left to find

    // Animate steps every picture.
    cache.AddPicture()->LoadFromData(Png(2, 2));
    EXPECT_FALSE(cache.Animate());
    THTMLPicture* gif = cache.AddPicture();
    gif->LoadFromData(ThreeFrameGif());
    EXPECT_FALSE(cache.Animate()); // the first frame shows for a whole step
    EXPECT_TRUE(cache.Animate());
    EXPECT_EQ(gif->Frame(), 2);
}

TEST(PictureContainer, FindsByNameInAnyCaseAndItemsCopyTheirPictures)
{
    TPictureContainer container;
    container.SetVersion("2.0");
    EXPECT_EQ(container.Version(), "1.0.0.0");

    TPictureItem* logo = container.Items().Add();
    logo->SetName("Logo");
    logo->Picture()->LoadFromData(Png(2, 3));
    TPictureItem* twin = container.Items().Add();
    twin->SetName("LOGO");
    EXPECT_EQ(container.FindPicture("LoGo"), logo->Picture());
    EXPECT_EQ(container.FindPicture("other"), nullptr);
    container.Items().Delete(0);
    EXPECT_EQ(container.FindPicture("logo"), twin->Picture());

    THTMLPicture source;
    source.LoadFromData(ThreeFrameGif());
    twin->SetPicture(&source);
    EXPECT_NE(twin->Picture(), &source);
    EXPECT_EQ(twin->Picture()->Data(), source.Data());
    TPictureContainer other;
    other.Items().Assign(container.Items());
    ASSERT_EQ(other.Items().Count(), 1);
    EXPECT_EQ(other.Items().Items(0)->Name(), "LOGO");
    EXPECT_EQ(other.Items().Items(0)->Picture()->GetFrameCount(), 3);

    EXPECT_FALSE(container.Items().Animate());
    EXPECT_TRUE(container.Items().Animate());
    EXPECT_EQ(twin->Picture()->Frame(), 2);
    EXPECT_EQ(other.Items().Items(0)->Picture()->Frame(), 1);
}

} // namespace
