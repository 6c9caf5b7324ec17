#pragma once

#include <QString>
#include <QStringView>

// Text preparation for the markup renderer, before any layout.

// Entities, field markers and line ends, in this order:
//  - "&amp;" becomes "&&" (the canvas shows one "&"; a single "&" underlines the next
//    character), "&quot;" a double quote, and "&sect;", "&permil;", "&reg;", "&copy;",
//    "&para;", "&trade;", "&euro;" their characters, in any letter case. Replacing repeats
//    until nothing is left to replace, so "&amp;quot;" ends as "&" and a quote;
//  - the first "<#" loses its "<" and the first ">" after it goes, so "<#name>" reads
//    "#name";
//  - a carriage return (with or without a line feed after it) and a lone line feed become
//    "<BR>".
QString PrepareHTMLText(const QString& text);

// The entities that may sit inside a run of text and never start a tag: "&nbsp;" (a
// blank), "&lt;" and "&gt;", in any letter case.
bool HasRunEntity(QStringView run);
QString ReplaceRunEntities(QStringView run);

// Attribute values read from prepared text: "&&" (an "&amp;" in the markup) back to "&".
QString UndoubleAmpersands(QStringView value);
