// The settings kept between runs: read at the first show, written on closing.
#include "shell/USelect5.h"

// Reading the remembered category, preview mode, folders and options comes with the settings
// store; until then the window starts with its creation values.
void TFormSelect::ReadSettings() {}

void TFormSelect::FormClose() {
    // An uninstall start never read the settings, so it must not write the start values over them.
    if (UninstallStart || Uninstalled) return;
}
