#pragma once
// The standard message boxes: the kind gives icon and title, the buttons are those asked for, the
// first button is the default, Escape answers Cancel (or No), and the box is centred on the screen.
// Closed by its title bar's close box, a box answers Cancel, whatever its buttons: no answer.
#include "platform/MessageText.h"

#include <windows.h>

#include <functional>
#include <string>

struct MessageBoxCall {
    TMsgDlgType type;
    std::string text; // exactly as the program passed it, LF CR pairs included
    TMsgDlgButtons buttons;
};

// Every box goes through this one function.
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

// The seam for tests: while a responder is installed it answers every box instead of the user.
// Returns the one it replaces.
using MessageResponder = std::function<TModalResult(const MessageBoxCall&)>;
MessageResponder SetMessageResponder(MessageResponder responder);

// The window that owns a box while no window of the program is active.
void SetMessageBoxOwner(std::function<HWND()> owner);
