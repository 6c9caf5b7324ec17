// Colour blending and banded gradients.
//
// Both round half to even: BlendColor in extended precision, as the original arithmetic
// did, so that a blend at 50 % of black and white lands on 0x808080.
#include "markup/gradient.h"

#include "platform/numeric.h"

#include <algorithm>
#include <cmath>

namespace {

struct Channels
{
    int Red;
    int Green;
    int Blue;
};

Channels Split(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

int64_t MixChannel(long double share, int first, int second)
{
    return static_cast<int64_t>(std::nearbyint(share * first + (1.0L - share) * second));
}

void FillPlain(TCanvas& canvas, TColor color, const TRect& r)
{
    canvas.Pen().SetColor(color);
    canvas.Brush().SetColor(color);
    canvas.Rectangle(r);
}

} // namespace

TColor BlendColor(TColor Col1, TColor Col2, int Perc)
{
    if (Perc == 100) return Col1;
    if (Col1 == clNone) return Col2;
    if (Col2 == clNone) return Col1;
    const Channels a = Split(Col1);
    const Channels b = Split(Col2);
    const long double share = Perc / 100.0L;
    const int64_t red = MixChannel(share, a.Red, b.Red);
    const int64_t green = MixChannel(share, a.Green, b.Green);
    const int64_t blue = MixChannel(share, a.Blue, b.Blue);
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                  bool Direction)
{
    if (R.IsEmpty() || (FromColor == clNone && ToColor == clNone)) return;
    // Bands are drawn as pen-and-brush rectangles; a styled or wide pen left by an earlier
    // painter must not change their pixels.
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(1);
    Canvas.Brush().SetStyle(bsSolid);
    if (FromColor == clNone || ToColor == clNone) {
        FillPlain(Canvas, FromColor == clNone ? ToColor : FromColor, R);
        return;
    }
    if (Steps < 1) Steps = 1;

    const Channels from = Split(FromColor);
    const Channels to = Split(ToColor);
    const double deltaRed = static_cast<double>(to.Red - from.Red) / Steps;
    const double deltaGreen = static_cast<double>(to.Green - from.Green) / Steps;
    const double deltaBlue = static_cast<double>(to.Blue - from.Blue) / Steps;
    const double stepSize = static_cast<double>(Direction ? R.Width() : R.Height()) / Steps;
    const int bandWidth = static_cast<int>(Trunc(stepSize));

    for (int i = 0; i < Steps; ++i) {
        const int red = static_cast<int>(Round(i * deltaRed)) + from.Red;
        const int green = static_cast<int>(Round(i * deltaGreen)) + from.Green;
        const int blue = static_cast<int>(Round(i * deltaBlue)) + from.Blue;
        const TColor color = static_cast<TColor>(red + green * 256 + blue * 65536);
        const int pos = static_cast<int>(Round(i * stepSize));
        TRect band = R;
        if (Direction) {
            band.Left = R.Left + pos;
            band.Right = std::min(R.Left + pos + bandWidth + 1, R.Right);
        } else {
            band.Top = R.Top + pos;
            band.Bottom = std::min(R.Top + pos + bandWidth + 1, R.Bottom);
        }
        FillPlain(Canvas, color, band);
    }
}
