#pragma once

// The maker's web address, shown and opened by the main window's link label.
inline constexpr const char* MakerWebAddress = "https://www.vantorgigbook.org";
// The help file, opened from the process's current directory.
inline constexpr const char* HelpFileName = "Vantor.chm";
