#pragma once

#include <QString>

// The planner's item search pattern test. Pattern is a chain of parts joined by "&" (and),
// ";" or "^" (or), evaluated left to right without precedence; blanks around the joiners
// are ignored. A part is
//  - a comparison ">x", ">=x", "<x" or "<=x" (x up to the next blank): numeric when both
//    sides are numbers, by date when both are dates in the short date order of
//    FormatSettings(), else on the first length-of-x characters of Text;
//  - and, when no comparison holds, a wildcard pattern: "?" one character, "*" any run,
//    a "!" anywhere negates the part.
// Without CaseSensitive both texts are compared in upper case. Never throws.
bool MatchStr(const QString& Pattern, const QString& Text, bool CaseSensitive);
