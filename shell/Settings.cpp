// The settings kept between runs in the registry: read at the first show, written on closing.
#include "platform/Registry.h"
#include "platform/SettingsText.h"
#include "shell/USelect5.h"
#include "system/RegistryNames.h"

void TFormSelect::ReadSettings() {
    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);

    bool firstRun = !settings.ReadBool(kOriginalInfo, "FilesBackedUp", false);
    if (firstRun) MakeFirstRunBackup();

    SelectOptions& options = Model.options;
    options.previewMode = PreviewMode(settings.ReadInteger(kMainSection, "PreviewShow", int(PreviewMode::Both)));
    ReadAutostartState();
    options.reportAddErrors = settings.ReadBool(kMainSection, "Report Add Errors", true);

    // Only the run that makes the first backup starts the browser in the program's own folder.
    const std::string folderDefault = firstRun ? ProgramDir : std::string();
    StartDir = settings.ReadString(kMainSection, "StartDir", folderDefault);
    WaitDir = settings.ReadString(kMainSection, "WaitDir", folderDefault);
    ShutDir = settings.ReadString(kMainSection, "ShutDir", folderDefault);
    WallDir = settings.ReadString(kMainSection, "WallDir", folderDefault);

    // A text that is no whole number, or a number that names no category, reads as the start-up
    // category; the reading goes on.
    const std::optional<int> code = ParseWholeNumber(settings.ReadString(kMainSection, "Selected Screen Button", "10"));
    Model.activeCategory = CategoryOfCode(code.value_or(0)).value_or(Category::Start);
    options.plusStretch = settings.ReadBool(kMainSection, "PlusStretch", false);
    options.wallpaperPerMonitor = settings.ReadBool(kMainSection, kWallpaperPerMonitor, false);
    options.asWindowsShowsIt = settings.ReadBool(kMainSection, "As Windows Shows It", false);

    // A remembered folder that is gone: the default, else the folder the program started in.
    for (const std::string& folder : {StartDir, folderDefault, StartUpFolder}) {
        if (folder.empty()) continue;
        try {
            ApplyBrowserPath(folder);
            break;
        } catch (const std::exception&) {
        }
    }
}

void TFormSelect::FormClose() {
    // After an uninstall nothing of the settings key may come back; an uninstall start never read
    // the settings, so it must not write the start values over them either.
    if (Uninstalled || UninstallStart) return;
    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);
    const SelectOptions& options = Model.options;
    settings.WriteInteger(kMainSection, "PreviewShow", int(options.previewMode));
    settings.WriteString(kMainSection, "StartDir", StartDir);
    settings.WriteString(kMainSection, "WaitDir", WaitDir);
    settings.WriteString(kMainSection, "ShutDir", ShutDir);
    settings.WriteString(kMainSection, "WallDir", WallDir);
    settings.WriteInteger(kMainSection, "Selected Screen Button", CodeOfCategory(Model.activeCategory));
    settings.WriteBool(kMainSection, "Report Add Errors", options.reportAddErrors);
    settings.WriteBool(kMainSection, "PlusStretch", options.plusStretch);
    settings.WriteBool(kMainSection, kWallpaperPerMonitor, options.wallpaperPerMonitor);
    settings.WriteBool(kMainSection, "As Windows Shows It", options.asWindowsShowsIt);
}
