#pragma once

#include <QString>

// A new GUID in its 38-character text form, braces included, upper-case hex digits:
// {8C2A1E0B-5D1F-4B43-9E2C-3F6A7B8C9D0E}.
QString CreateGuidString();
