#pragma once

#include <QString>
#include <QStringList>

class TFontFace;

// How DrawText lays out a text's lines, kept apart from painting: prefixes, tabs, the end
// ellipsis and wrapping, all measured with one font face.

// Removes the "&" prefixes: "&x" underlines x, "&&" stands for one "&". underlineAt is the
// index of the underlined character in the result, or -1.
QString StripPrefix(const QString& text, int& underlineAt);
// Tabs become blanks up to the next stop, every eight average characters.
QString ExpandTabs(const QString& line, const TFontFace& face);
// The line as it is when it fits the width, else its longest start that fits with "..."
// after it.
QString EndEllipsis(const QString& line, int width, const TFontFace& face);
// Greedy wrapping at blanks; a word wider than the width stays whole on its own line.
QStringList WrapLine(const QString& line, int width, const TFontFace& face);
