#pragma once

#include <QString>

// Database aliases name the directories that hold tables. They come from the engine's
// own configuration, $XDG_CONFIG_HOME/vantor/aliases.ini (XDG_CONFIG_HOME defaulting to
// ~/.config), one section per alias with a path= key:
//
//     [vantor]
//     path=/home/me/Music/gigbook
//
// The alias "vantor" needs no entry: it defaults to $XDG_DATA_HOME/vantor (XDG_DATA_HOME
// defaulting to ~/.local/share). Alias names compare without regard to case.

// The name of the application's own alias.
inline constexpr const char* DefaultAliasName = "vantor";

QString AliasConfigFile();
// The directory of an alias, whether or not it exists; raises EDatabaseError for an alias
// that is neither configured nor the default one.
QString AliasDirectory(const QString& alias);
