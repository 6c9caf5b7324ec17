#pragma once

#include <QString>

// Search highlighting in markup text. Matches are found in the visible text (the text
// with its tags removed, see StripTags), so a match may run across tags: highlighting
// "ab" in "a<B>b</B>c" gives "<HI>a<B>b</B></HI>c".

// Wraps every occurrence of hiText in the visible text in "<tag>" ... "</tag>".
// caseSensitive false compares without regard to letter case. Occurrences do not
// overlap; an empty hiText changes nothing. Text after a "<" that never closes is shown
// as written and is not highlighted: a tag placed there would close that "<".
QString HiLight(const QString& markup, const QString& hiText, const QString& tag,
                bool caseSensitive);

// Removes every "<tag>" and "</tag>" in any letter case.
QString UnHiLight(const QString& markup, const QString& tag);
