#pragma once

#include <QString>

// Small text conversions with the classic semantics the ported algorithms expect.

// Strict: raises EConvertError ("'x' is not a valid integer value") for anything but an
// optionally signed decimal (or $hex) integer, surrounding blanks allowed.
int StrToInt(const QString& text);
bool TryStrToInt(const QString& text, int& value);
// Lenient: the default when the text is not an integer; never raises.
int StrToIntDef(const QString& text, int defaultValue);

// Decimal point or the locale's decimal separator; raises EConvertError when invalid.
double StrToFloat(const QString& text);
bool TryStrToFloat(const QString& text, double& value);

// 1-based position of sub in text, 0 when absent.
inline int Pos(const QString& sub, const QString& text)
{
    return text.indexOf(sub) + 1;
}

// Up to count characters from the 1-based index, clipped to the text.
inline QString Copy(const QString& text, int index, int count)
{
    if (index < 1) index = 1;
    if (count <= 0 || index > text.size()) return {};
    return text.mid(index - 1, count);
}
