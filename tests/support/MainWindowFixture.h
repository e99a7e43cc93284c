#pragma once
// Wine tests of the main window: the window as the program makes it at start-up, with the
// full-screen window beside it, and the user's press of a category button or choice of a style.
#include "shell/UPreview.h"
#include "shell/USelect5.h"
#include "tests/support/WineFixture.h"

#include <functional>
#include <vector>

class MainWindowFixture : public WineFixture {
protected:
    // The main window, which reads the settings and the list file in its first show.
    TFormSelect& Start() {
        Application().HelpFile = "tanu.hlp";
        form = &Application().CreateForm<TFormSelect>();
        form->FormPreview = &Application().CreateForm<TFormPreview>(form->Model, *form);
        return *form;
    }

    // The user presses the category's button with the mouse.
    void ChooseCategory(Category category) { ClickAt(form->ButtonOfCategory(category), 5, 5); }
    // The user picks a style in the box.
    void PickStyle(int index) {
        SendMessageA(form->CBStyle.Handle(), CB_SETCURSEL, WPARAM(index), 0);
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(form->CBStyle.Handle()));
    }

    TFormSelect* form = nullptr;
};
