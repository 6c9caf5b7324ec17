// The markup renderer on arbitrary text and parameters, painting into a small image.
// Nothing may crash, hang or raise, and what holds for every text must hold:
//  - painting lays out a first part of what measuring lays out (plain text, sizes);
//  - hit-testing paints nothing, and painting stays within the rectangle's columns;
//  - the canvas font, brush and pen come back as they were;
//  - the link numbers reported lie within the links met.
#include "markup/htmldraw.h"
#include "markup/htmlpicture.h"
#include "markup/htmlpicturecache.h"
#include "markup/picturecontainer.h"

#include "platform/canvas.h"
#include "platform/imagelist.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int ImageWidth = 160;
constexpr int ImageHeight = 80;

void Require(bool condition)
{
    if (!condition) std::abort();
}

// The pictures markup may name: two list images, a named picture and a cache.
struct TPictures
{
    TImageList Images{nullptr, 16, 16};
    TPictureContainer Container;
    THTMLPictureCache Cache;

    TPictures()
    {
        QImage red(32, 16, QImage::Format_RGB32);
        red.fill(Qt::red);
        Images.Add(red);
        QImage logo(12, 9, QImage::Format_ARGB32);
        logo.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "PNG");
        auto* item = static_cast<TPictureItem*>(Container.Items().Add());
        item->SetName(QStringLiteral("logo"));
        item->Picture()->LoadFromData(png);
    }
};

TPictures* Pictures = nullptr;

THTMLDrawParams ReadParams(FuzzedDataProvider& input)
{
    THTMLDrawParams p;
    p.Images = &Pictures->Images;
    p.PictureContainer = &Pictures->Container;
    p.PictureCache = &Pictures->Cache;
    p.XPos = input.ConsumeIntegralInRange(-10, ImageWidth + 10);
    p.YPos = input.ConsumeIntegralInRange(-10, ImageHeight + 10);
    p.FocusLink = input.ConsumeIntegralInRange(-1, 4);
    p.HoverLink = input.ConsumeIntegralInRange(-1, 4);
    p.ShadowOffset = input.ConsumeIntegralInRange(-3, 3);
    p.WordWrap = input.ConsumeBool();
    p.Selected = input.ConsumeBool();
    p.BlinkOn = input.ConsumeBool();
    p.HoverUnderlineOnly = input.ConsumeBool();
    p.Themed = input.ConsumeBool();
    p.Print = input.ConsumeBool();
    p.ResFactor = input.ConsumeFloatingPoint<double>();
    p.HoverColor = input.ConsumeBool() ? clNone : input.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    p.HoverFontColor = input.ConsumeBool() ? clNone : input.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    return p;
}

TRect ReadRect(FuzzedDataProvider& input)
{
    const int left = input.ConsumeIntegralInRange(0, 40);
    const int top = input.ConsumeIntegralInRange(-20, 40);
    const int right = input.ConsumeIntegralInRange(left, ImageWidth);
    const int bottom = input.ConsumeIntegralInRange(-20, ImageHeight);
    return TRect(left, top, right, bottom);
}

bool SameFont(const TFont& a, const TFont& b)
{
    return a.SameAs(b) && a.PixelsPerInch() == b.PixelsPerInch();
}

void CheckColumns(const QImage& image, const QImage& before, const TRect& r)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x >= r.Left && x < r.Right) continue;
            Require(image.pixel(x, y) == before.pixel(x, y));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    QImageReader::setAllocationLimit(16);
    SetTextAntialiasing(false);
    static TPictures pictures;
    Pictures = &pictures;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    THTMLDrawParams params = ReadParams(input);
    const TRect r = ReadRect(input);
    const QString text = QString::fromUtf8(input.ConsumeRemainingBytesAsString());

    QImage image(ImageWidth, ImageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage blank = image;
    TCanvas canvas(&image);
    canvas.Font().SetName(QStringLiteral("DejaVu Sans"));
    canvas.Font().SetHeight(-11);
    canvas.Brush().SetColor(clWhite);
    const TFont font = canvas.Font();

    THTMLDrawParams measuring = params;
    measuring.MeasureOnly = true;
    THTMLDrawResult measured;
    HTMLDrawEx(canvas, text, r, measuring, measured);
    Require(SameFont(canvas.Font(), font));
    Require(measured.MouseLink == -1 && measured.XSize >= 0 && measured.YSize > 0);

    params.HitTestOnly = true;
    THTMLDrawResult hit;
    const bool hitTested = HTMLDrawEx(canvas, text, r, params, hit);
    canvas.ReleasePainter();
    Require(image == blank);
    Require(hit.MouseLink >= -1 && hit.MouseLink <= hit.HyperLinks);

    params.HitTestOnly = false;
    THTMLDrawResult painted;
    const bool paintedHit = HTMLDrawEx(canvas, text, r, params, painted);
    canvas.ReleasePainter();
    Require(SameFont(canvas.Font(), font) && canvas.Brush().Color() == clWhite);
    Require(canvas.Brush().Style() == bsSolid && canvas.Pen().Color() == clBlack);
    Require(measured.StripVal.startsWith(painted.StripVal));
    Require(painted.YSize <= measured.YSize && painted.XSize <= measured.XSize);
    Require(painted.HyperLinks <= measured.HyperLinks);
    // Hit-testing and painting lay out the same lines and find the same things.
    Require(hitTested == paintedHit && hit.FocusAnchor == painted.FocusAnchor);
    Require(hit.MouseLink == painted.MouseLink && hit.AnchorVal == painted.AnchorVal);
    Require(hit.ControlRect == painted.ControlRect && hit.HoverRect == painted.HoverRect);
    CheckColumns(image, blank, r);

    Pictures->Cache.ClearPictures();
    return 0;
}
