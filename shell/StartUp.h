#pragma once
// The program's start: splash screen, main window (which loads everything while the splash is
// up), the version in the caption, the other windows, and away with the splash.
class TApplication;
class TFormSelect;

// Creates the program's windows; returns the main window. The splash screen is gone afterwards,
// also when creating a window failed.
TFormSelect& StartUp(TApplication& application);

inline constexpr const char* kApplicationTitle = "Vistrel Selector";
inline constexpr const char* kHelpFileName = "tanu.hlp";
