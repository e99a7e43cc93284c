// The main window's lists and buttons by category, and the Windows folder: what every other part of
// the window reaches for.
#include "shell/USelect5.h"

TFormSelect::~TFormSelect() = default;

TListView& TFormSelect::ListOfCategory(Category category) {
    switch (category) {
    case Category::Wait:
        return ListWait;
    case Category::Shut:
        return ListShut;
    case Category::Wall:
        return ListWall;
    default:
        return ListStart;
    }
}

TSpeedButton& TFormSelect::ButtonOfCategory(Category category) {
    switch (category) {
    case Category::Wait:
        return sbtnWait;
    case Category::Shut:
        return sbtnShut;
    case Category::Wall:
        return sbtnWall;
    default:
        return sbtnStart;
    }
}

std::string TFormSelect::GetWindowsDir() {
    char buffer[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : 0);
}
