#pragma once

#include <QColor>

#include <cstdint>

// A colour as 0x00BBGGRR; system colours are 0x80000000 + the system colour index.
using TColor = uint32_t;

constexpr TColor RGB(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// "No colour": wherever a colour argument allows it, nothing is drawn.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor SystemColorBase = 0x80000000;
constexpr TColor clScrollBar = SystemColorBase + 0;
constexpr TColor clBackground = SystemColorBase + 1;
constexpr TColor clActiveCaption = SystemColorBase + 2;
constexpr TColor clInactiveCaption = SystemColorBase + 3;
constexpr TColor clMenu = SystemColorBase + 4;
constexpr TColor clWindow = SystemColorBase + 5;
constexpr TColor clWindowFrame = SystemColorBase + 6;
constexpr TColor clMenuText = SystemColorBase + 7;
constexpr TColor clWindowText = SystemColorBase + 8;
constexpr TColor clCaptionText = SystemColorBase + 9;
constexpr TColor clActiveBorder = SystemColorBase + 10;
constexpr TColor clInactiveBorder = SystemColorBase + 11;
constexpr TColor clAppWorkSpace = SystemColorBase + 12;
constexpr TColor clHighlight = SystemColorBase + 13;
constexpr TColor clHighlightText = SystemColorBase + 14;
constexpr TColor clBtnFace = SystemColorBase + 15;
constexpr TColor clBtnShadow = SystemColorBase + 16;
constexpr TColor clGrayText = SystemColorBase + 17;
constexpr TColor clBtnText = SystemColorBase + 18;
constexpr TColor clInactiveCaptionText = SystemColorBase + 19;
constexpr TColor clBtnHighlight = SystemColorBase + 20;
constexpr TColor cl3DDkShadow = SystemColorBase + 21;
constexpr TColor cl3DLight = SystemColorBase + 22;
constexpr TColor clInfoText = SystemColorBase + 23;
constexpr TColor clInfoBk = SystemColorBase + 24;
constexpr TColor clHotLight = SystemColorBase + 26;
constexpr TColor clGradientActiveCaption = SystemColorBase + 27;
constexpr TColor clGradientInactiveCaption = SystemColorBase + 28;
constexpr TColor clMenuHighlight = SystemColorBase + 29;
constexpr TColor clMenuBar = SystemColorBase + 30;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == SystemColorBase; }

// Resolves a system colour to its RGB value (a fixed desktop scheme, so that painting is
// the same on every machine); any other value is returned unchanged.
TColor ColorToRGB(TColor color);

// The resolved colour as a QColor; clNone gives an invalid (transparent) QColor.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
