#pragma once

#include <QString>

// Plain text of a markup string: "<BR>" and "<HR>" (any letter case) become CR LF, every
// other tag is removed; a "<" without a closing ">" ends the scan and the rest is kept
// as written. Entities are left alone.
QString HTMLStrip(const QString& markup);

// The tag removal of HTMLStrip alone, without turning line breaks into CR LF: the text
// a reader sees, position for position.
QString StripTags(const QString& markup);
