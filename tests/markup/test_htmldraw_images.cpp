// Images and form controls in markup: the image list, named and cached pictures, file
// and standard icons, body backgrounds, printing, and controls drawn by the widget style.
#include "htmldraw_fixture.h"

#include "support/gifwriter.h"

#include "markup/htmlpicture.h"
#include "markup/htmlpicturecache.h"
#include "markup/htmlsysicons.h"
#include "markup/picturecontainer.h"

#include "platform/imagelist.h"

#include <QAbstractFileIconProvider>
#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTemporaryDir>

namespace {

const TRect Area(0, 0, 300, 120);

QByteArray PngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Every icon in one colour, so that tests see where it went and how large it was.
class TSolidIconProvider : public QAbstractFileIconProvider
{
public:
    QIcon icon(IconType type) const override
    {
        return type == Folder ? Solid(clGreen) : Solid(clFuchsia);
    }
    QIcon icon(const QFileInfo& info) const override
    {
        return info.exists() ? Solid(clAqua) : QIcon();
    }

private:
    static QIcon Solid(TColor color)
    {
        QPixmap pixmap(64, 64);
        pixmap.fill(ToQColor(color));
        return QIcon(pixmap);
    }
};

} // namespace

class HTMLImagesTest : public HTMLDrawTest
{
protected:
    void SetUp() override
    {
        HTMLDrawTest::SetUp();
        QImage pattern(16, 16, QImage::Format_RGB32);
        pattern.fill(ToQColor(clRed));
        for (int y = 0; y < 16; ++y)
            pattern.setPixelColor(0, y, ToQColor(clBlue));
        images.Add(pattern);
        params.Images = &images;
    }

    TImageList images{nullptr, 16, 16};
};

TEST_F(HTMLImagesTest, ContainerPicturesByNameInAnyCase)
{
    TPictureContainer container;
    auto* item = static_cast<TPictureItem*>(container.Items().Add());
    item->SetName(QStringLiteral("Logo"));
    item->Picture()->LoadFromData(PngOf(FilledImage(10, 6, clGreen)));
    params.PictureContainer = &container;

    EXPECT_EQ(Measure(QStringLiteral("<IMG SRC=\"LOGO\">")).XSize, 10);
    Draw(QStringLiteral("<IMG SRC=\"logo\"><IMG SRC=\"logo\" WIDTH=\"20\" HEIGHT=\"12\">"), Area);
    EXPECT_TRUE(AllOf(Pixels(), clGreen, TRect(1, 0, 11, 6)));
    EXPECT_TRUE(AllOf(Pixels(), clGreen, TRect(11, 0, 31, 12)));
    EXPECT_EQ(CountColor(Pixels(), clGreen), 10 * 6 + 20 * 12);
    // Unknown names and a missing container take no room.
    EXPECT_EQ(Measure(QStringLiteral("a<IMG SRC=\"nothing\">")).XSize,
              WidthOf(QStringLiteral("a")));
    params.PictureContainer = nullptr;
    EXPECT_EQ(Measure(QStringLiteral("a<IMG SRC=\"logo\">")).XSize, WidthOf(QStringLiteral("a")));
}

TEST_F(HTMLImagesTest, AddressesAreRegisteredInTheCacheOnce)
{
    THTMLPictureCache cache;
    params.PictureCache = &cache;
    const QString text = QStringLiteral("a<IMG SRC=\"http://example.org/band.png\">");
    EXPECT_EQ(Measure(text).XSize, WidthOf(QStringLiteral("a")));
    Draw(text, Area);
    ASSERT_EQ(cache.Count(), 1);
    THTMLPicture* picture = cache.FindPicture(QStringLiteral("http://example.org/band.png"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->GetEmpty());
    // A picture that has arrived in the cache is drawn from there.
    picture->LoadFromData(PngOf(FilledImage(8, 8, clNavy)));
    Draw(text, Area);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(CountColor(Pixels(), clNavy), 64);
    // Without a cache addresses draw nothing.
    params.PictureCache = nullptr;
    EXPECT_EQ(Measure(text).XSize, WidthOf(QStringLiteral("a")));
}

TEST_F(HTMLImagesTest, FilePicturesLoadOnlyFromRegularFiles)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString picture = write("dot.png", PngOf(FilledImage(5, 7, clTeal)));
    const QString broken = write("broken.png", "not a picture");
    THTMLPictureCache cache;
    params.PictureCache = &cache;
    const THTMLDrawResult m = Measure(QStringLiteral("<IMG SRC=\"file://%1\">").arg(picture));
    EXPECT_EQ(m.XSize, 5);
    EXPECT_EQ(m.YSize, LineHeight());
    // A device never ends: it is not read at all. Neither are folders, broken files or
    // missing resources.
    for (const QString& source : {QStringLiteral("file:///dev/zero"), "FILE://" + dir.path(),
                                  "file://" + broken, QStringLiteral("res://no-such-resource")})
        EXPECT_EQ(Measure("a<IMG SRC=\"" + source + "\">").XSize, WidthOf(QStringLiteral("a")))
            << qPrintable(source);
}

TEST_F(HTMLImagesTest, FileAndStandardIcons)
{
    TSolidIconProvider provider;
    SetHTMLIconProvider(&provider);
    QTemporaryDir dir;
    Draw(QStringLiteral("<IMG SRC=\"SSYS:5\"><IMG SRC=\"LSYS:6\"><IMG SRC=\"ssys:") + dir.path() +
             QStringLiteral("\"><IMG SRC=\"SSYS:99\"><IMG SRC=\"SSYS:notes.unknowntype\">"),
         Area);
    SetHTMLIconProvider(nullptr);
    // A small folder, a large file icon, the existing folder's own icon; index 99 is no
    // icon; a name of a type without an icon gets the plain file icon.
    EXPECT_TRUE(AllOf(Pixels(), clGreen, TRect(1, 0, 17, 16)));
    EXPECT_TRUE(AllOf(Pixels(), clFuchsia, TRect(17, 0, 49, 32)));
    EXPECT_TRUE(AllOf(Pixels(), clAqua, TRect(49, 0, 65, 16)));
    EXPECT_TRUE(AllOf(Pixels(), clFuchsia, TRect(65, 0, 81, 16)));
    EXPECT_EQ(result.XSize, 80);
    EXPECT_EQ(result.YSize, 32);
}

TEST_F(HTMLImagesTest, BodyBackgroundTilesFromTheTopLeft)
{
    const TRect r(10, 10, 50, 40);
    Draw(QStringLiteral("<BODY BACKGROUND=\"IDX:0\">"), r);
    // The blue first column of the picture repeats every 16 pixels from r's left.
    for (int x : {10, 26, 42})
        EXPECT_TRUE(AllOf(Pixels(), clBlue, TRect(x, 10, x + 1, 40))) << x;
    EXPECT_TRUE(AllOf(Pixels(), clRed, TRect(11, 10, 26, 40)));
    // Nothing outside r.
    EXPECT_EQ(CountColor(Pixels(), clRed) + CountColor(Pixels(), clBlue), r.Width() * r.Height());
}

TEST_F(HTMLImagesTest, PrintedImagesAreScaledByTheResolutionFactor)
{
    params.Print = true;
    params.ResFactor = 2.0;
    Draw(QStringLiteral("<IMG SRC=\"IDX:0\">x"), Area);
    EXPECT_TRUE(AllOf(Pixels(), clBlue, TRect(1, 0, 3, 32)));
    EXPECT_TRUE(AllOf(Pixels(), clRed, TRect(3, 0, 17, 32)));
    // The layout keeps the screen size: the text follows 16 pixels on.
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(17, 0, 33, 32)), 0);
}

TEST_F(HTMLImagesTest, ImageAlignMovesTheTextOfItsLine)
{
    TImageList tall(nullptr, 8, 40);
    tall.Add(FilledImage(8, 40, clRed));
    params.Images = &tall;
    auto textTop = [&](const QString& align) {
        Reset(300, 120);
        Draw(QStringLiteral("<IMG SRC=\"IDX:0\"") + align + QStringLiteral(">Hx"), Area);
        return BoundsOf(Pixels(), clBlack);
    };
    const TRect bottom = textTop(QString());
    const TRect top = textTop(QStringLiteral(" ALIGN=\"TOP\""));
    const TRect middle = textTop(QStringLiteral(" ALIGN=\"middle\""));
    EXPECT_EQ(bottom.Top - top.Top, 40 - LineHeight());
    EXPECT_EQ(bottom.Top - middle.Top, (40 - LineHeight()) / 2);
}

TEST_F(HTMLImagesTest, AnimatedPicturesClearTheirFrameArea)
{
    const QSize screen(12, 10);
    // The second frame is blue in its top-left corner and transparent elsewhere.
    QImage corner(screen, QImage::Format_ARGB32);
    corner.fill(Qt::transparent);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            corner.setPixelColor(x, y, Qt::blue);
    const QByteArray gif = gifwriter::Encode(
        screen, {gifwriter::Solid(screen, Qt::red), gifwriter::Frame{corner, {}, 10}});
    TPictureContainer container;
    auto* item = static_cast<TPictureItem*>(container.Items().Add());
    item->SetName(QStringLiteral("anim"));
    item->Picture()->LoadFromData(gif);
    ASSERT_EQ(item->Picture()->GetFrameCount(), 2);
    item->Picture()->SetFrame(2);
    params.PictureContainer = &container;
    // The picture takes the logical screen; its area gets the current background first,
    // so that the small second frame does not show what lay there before.
    image.fill(Qt::black);
    Draw(QStringLiteral("<FONT BGCOLOR=\"clYellow\"><IMG SRC=\"anim\"></FONT>"), Area);
    EXPECT_EQ(result.XSize, 12);
    EXPECT_EQ(CountColor(Pixels(), clBlue), 16);
    EXPECT_EQ(CountColor(Pixels(), clYellow), 12 * 10 - 16);
}

TEST_F(HTMLImagesTest, FormControlsAreDrawnByTheStyleInsideTheRectangle)
{
    const QString controls = QStringLiteral("<CONTROL TYPE=\"EDIT\" VALUE=\"text\" WIDTH=\"60\">"
                                            "<CONTROL TYPE=\"COMBO\" VALUE=\"pick\" WIDTH=\"70\">"
                                            "<CONTROL TYPE=\"BUTTON\" VALUE=\"Go\" WIDTH=\"40\">");
    Draw(controls, Area);
    const int height = LineHeight() + 6;
    EXPECT_EQ(result.XSize, 170);
    EXPECT_EQ(result.YSize, height);
    for (const TRect& box :
         {TRect(1, 0, 61, height), TRect(61, 0, 131, height), TRect(131, 0, 171, height)})
        EXPECT_LT(CountColor(Pixels(), clWhite, box), box.Width() * box.Height()) << box.Left;
    EXPECT_EQ(CountColor(Pixels(), clWhite, TRect(171, 0, 300, 120)), 129 * 120);

    // A ticked box looks different from an empty one; radio buttons likewise.
    auto drawn = [&](const QString& text) {
        Reset(300, 120);
        Draw(text, Area);
        return Pixels().copy();
    };
    EXPECT_NE(drawn(QStringLiteral("<CONTROL TYPE=\"CHECK\" VALUE=\"TRUE\">")),
              drawn(QStringLiteral("<CONTROL TYPE=\"CHECK\" VALUE=\"FALSE\">")));
    EXPECT_NE(drawn(QStringLiteral("<CONTROL TYPE=\"RADIO\" VALUE=\"True\">")),
              drawn(QStringLiteral("<CONTROL TYPE=\"RADIO\">")));
    // The desktop style and the classic one differ.
    const QImage classic = drawn(controls);
    params.Themed = true;
    EXPECT_NE(drawn(controls), classic);

    // A control is cut at the rectangle's right edge, label and all.
    Reset(300, 120);
    Draw(QStringLiteral("<CONTROL TYPE=\"COMBO\" VALUE=\"a long value here\" WIDTH=\"200\">"),
         TRect(10, 10, 60, 60));
    EXPECT_TRUE(AllOf(Pixels(), clWhite, TRect(60, 0, 300, 120)));
    EXPECT_TRUE(AllOf(Pixels(), clWhite, TRect(0, 0, 10, 120)));
    EXPECT_LT(CountColor(Pixels(), clWhite, TRect(11, 10, 60, 30)), 49 * 20);
}
