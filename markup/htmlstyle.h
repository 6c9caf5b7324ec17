#pragma once

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

#include <QString>
#include <QStringView>

#include <array>

// Font attributes put aside by a FONT tag for its closing tag.
struct THTMLSavedFont
{
    QString Name;
    int Height = 0;
    TColor Color = clNone;
    TFontStyles Style = 0;
    TColor Background = clNone;
};

// The style that flows through one call of the renderer, from line to line. The measuring
// and painting passes of a line start from the same copy of it, so it holds everything a
// tag can change. clNone as a background means "transparent".
struct THTMLStyle
{
    TFont Font;
    TColor Background = clNone;

    // Hyperlinks. Links are numbered from 1 in the order they are met.
    bool InLink = false;
    QStringView LinkValue;
    int LinkCount = 0;
    bool LinkFocused = false;
    TFontStyles LinkSavedStyle = 0;
    TColor LinkSavedColor = clNone;
    TColor LinkSavedBackground = clNone;
    // Where the open link's text starts on the current line, its bounds so far and
    // whether the hit-test point lies on it (painting and hit-testing passes only).
    int LinkLineStart = 0;
    int FocusLineStart = 0;
    TRect LinkBounds;
    bool LinkHit = false;

    bool Subscript = false;
    bool Superscript = false;
    bool Shadow = false;
    bool Hidden = false;
    bool Error = false;

    // Paragraph: alignment (0 left, 1 right, 2 centre) and indent last until its end.
    bool ParagraphBackground = false;
    TColor ParagraphColor = clNone;
    TColor ParagraphSavedBackground = clNone;
    int ParagraphAlign = 0;
    int ParagraphIndent = 0;

    int ListDepth = 0;

    // FONT tags nest; beyond this depth the innermost entry is reused.
    static constexpr int FontStackSize = 8;
    std::array<THTMLSavedFont, FontStackSize> FontStack;
    int FontDepth = 0;

    TColor HighlightSavedColor = clNone;
    TColor HighlightSavedBackground = clNone;
    bool Highlighted = false;
    TColor BlinkSavedColor = clNone;
    bool Blinking = false;
    int SavedOrientation = 0;
    bool Rotated = false;

    void SetFontStyle(TFontStyle style, bool on)
    {
        const TFontStyles bits = Font.Style();
        Font.SetStyle(static_cast<TFontStyles>(on ? (bits | style) : (bits & ~style)));
    }
};
