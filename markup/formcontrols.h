#pragma once

#include <QString>

// Form controls inside markup text, read and written by their ID without drawing them.

// HTML for export: every "<CONTROL" tag becomes an INPUT element (EDIT, CHECK, RADIO) or
// disappears (any other type). A "<CONTROL" without ">" ends the conversion; the rest is
// kept as written.
QString HTMLConvert(const QString& markup);

// Value of the first control whose ID equals id exactly (letter case included).
bool GetControlValue(const QString& markup, const QString& id, QString& value);

// Rewrites the first control whose ID equals id with newValue, keeping its ID, WIDTH and
// TYPE (other attributes are dropped). Returns false and leaves markup alone when no
// control has that ID.
bool SetControlValue(QString& markup, const QString& id, const QString& newValue);
