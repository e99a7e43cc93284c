#pragma once
// The standard message boxes' fixed parts: titles, buttons, answers; no Windows needed.
#include <string>
#include <vector>

enum class TMsgDlgType { Warning, Error, Information, Confirmation };

// Button flags; a box shows its buttons in the order Yes, No, OK, Cancel.
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;

// Results carry the Win32 dialog ids (IDOK, IDCANCEL, IDYES, IDNO).
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct DialogButton {
    TModalResult result;
    const char* caption;
};

const char* DialogTitle(TMsgDlgType type);
std::vector<DialogButton> DialogButtons(TMsgDlgButtons buttons);
// The first button is the default; Escape gives Cancel, else No, else OK.
TModalResult EscapeResult(TMsgDlgButtons buttons);

// Message texts break lines with LF CR; the box shows each pair as one line break.
std::string DisplayText(const std::string& text);
