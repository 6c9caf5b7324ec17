#pragma once

#include <QString>
#include <QStringView>

// The attributes of a form control tag, "<CONTROL ID="..." TYPE="..." WIDTH="..."
// VALUE="...">", as the markup utilities and the renderer read them.
//
// Attribute names are matched in any letter case and in any order; a value is the text
// between the first pair of double quotes after its name. Names are only recognised
// outside quoted values, so a value that happens to contain "type=" cannot change the
// control. A missing attribute reads as empty.
struct TControlTag
{
    QString ID;    // compared exactly, letter case included
    QString Type;  // upper case: "EDIT", "COMBO", "CHECK", "RADIO", "BUTTON"
    QString Width; // as written; see WidthPixels
    QString Value; // with the escapes of EscapeControlValue undone

    // Width in pixels: the leading digits of Width, 0 when there are none.
    int WidthPixels() const;
    // True for a CHECK or RADIO value that shows the control ticked.
    bool Checked() const;
};

// Parses the text of one tag, from its "<" (or the text just after it) up to and
// optionally including its ">". Never fails: whatever is missing stays empty.
TControlTag ParseControlTag(QStringView tag);

// The tag text after "<" that stores the control with its four attributes, ending in ">".
QString ComposeControlTag(const TControlTag& control);

// A value made safe to sit between double quotes inside a tag: "<" and ">" become "&lt;"
// and "&gt;" so the tag cannot end early, a double quote becomes "&#34;" and an ampersand
// "&#38;" so that every value reads back exactly as it was written.
QString EscapeControlValue(const QString& value);
QString UnescapeControlValue(QStringView value);
