#pragma once
// The registry keys and values the program and the randomizer share, all under HKEY_CURRENT_USER.

// The program's settings, used like an ini file: a section is a subkey.
inline constexpr const char* kSettingsKey = "Software\\Orvandel\\Vistrel";
inline constexpr const char* kCompanyKey = "SoftWare\\Orvandel";
inline constexpr const char* kSettingsSubkey = "Vistrel";
inline constexpr const char* kSoftwareKey = "SoftWare";
inline constexpr const char* kCompanySubkey = "Orvandel";
inline constexpr const char* kMainSection = "Vistrel Selector";
inline constexpr const char* kOriginalInfo = "Original Info";
// In the main section: "1" gives each monitor a wallpaper entry of its own; missing or "0", one for all.
// The randomizer reads it too.
inline constexpr const char* kWallpaperPerMonitor = "Wallpaper Per Monitor";
// In "Original Info": "1" once the program has handed the shell a picture per monitor, which the
// shell keeps apart from the desktop values.
inline constexpr const char* kMonitorWallpapers = "MonitorWallpapers";

// The randomizer's autostart entry.
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Vistrel";

// The desktop's wallpaper values.
inline constexpr const char* kDesktopKey = "Control Panel\\desktop";
