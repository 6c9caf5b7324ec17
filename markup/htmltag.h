#pragma once

#include "platform/color.h"

#include <QLatin1StringView>
#include <QStringView>

// Reading one tag of the markup dialect: its name, whether it closes, and its attributes.
// Names of tags and attributes match in any letter case. Nothing here fails: whatever is
// missing reads as empty or 0.

enum class THTMLTagKind {
    Unknown,
    A,
    B,
    BR,
    BLINK,
    BODY,
    CONTROL,
    E,
    FONT,
    HI,
    HR,
    I,
    IND,
    IMG,
    LI,
    P,
    R,
    S,
    SHAD,
    SUB,
    SUP,
    U,
    UL,
    Z
};

// A tag as written between "<" and ">"; views into the text, valid while it lives.
struct THTMLTag
{
    THTMLTagKind Kind = THTMLTagKind::Unknown;
    bool Closing = false;
    QStringView Text;       // everything between "<" and ">"
    QStringView Attributes; // what follows the name

    // The value of the first attribute of that name: the text between double (or single)
    // quotes after "name=", or an unquoted value up to the next blank. Empty when absent.
    QStringView Attribute(QLatin1StringView name) const;
    bool HasAttribute(QLatin1StringView name) const;
    // Attribute and HasAttribute in one reading of the tag: false when absent.
    bool FindAttribute(QLatin1StringView name, QStringView& value) const;
    // The first quoted text in the tag, or else the first attribute's value.
    QStringView FirstValue() const;
};

// inner is the text between "<" and ">".
THTMLTag ReadTag(QStringView inner);

// The leading integer of text (blanks, an optional sign, digits), 0 when there are no
// digits. Values are kept within +-1,000,000,000.
int LeadingInt(QStringView text);

// A colour value: "#RRGGBB" in hexadecimal, or a name such as "clRed" or "clBtnFace" in
// any letter case. An unknown name is black.
TColor HTMLColorValue(QStringView value);
