#pragma once

#include <QString>

class TCanvas;

// A run of text as the renderer lays it out with the canvas font: its width and, when it
// had to be cut, the text that is drawn instead.
struct THTMLRunWidth
{
    int Width = 0;
    // Plain runs hold no "&" prefixes and are drawn exactly as written.
    bool Plain = false;
    // The run cut short and ended with "..." because it did not fit; empty when the run
    // is drawn whole.
    QString Shown;
};

// Measures a single-line run as DrawText shows it ("&x" underlines x, "&&" is one "&").
// With cut set, a run wider than available is shortened to the longest start that fits
// with "..." after it, as an end ellipsis does. Long runs are measured by growing
// prefixes, so a megabyte of text costs no more than what fits.
THTMLRunWidth MeasureHTMLRun(TCanvas& canvas, const QString& text, int available, bool cut);

// The start of plain text that covers room pixels: what is worth drawing of a long run
// that is clipped anyway. Short texts come back whole.
QString CoveringPrefix(TCanvas& canvas, const QString& text, int room);

// Text as DrawText shows it: "&x" becomes x and "&&" one "&".
QString WithoutPrefixes(const QString& text);
