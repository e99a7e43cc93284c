#pragma once
// Wine tests of the main window: the window as the program makes it at start-up, with the
// full-screen window beside it, and the user's press of a category button.
#include "shell/UPreview.h"
#include "shell/USelect5.h"
#include "tests/support/WineFixture.h"

class MainWindowFixture : public WineFixture {
protected:
    // The main window, which reads the settings and the list file in its first show.
    TFormSelect& Start() {
        Application().HelpFile = "tanu.hlp";
        form = &Application().CreateForm<TFormSelect>();
        form->FormPreview = &Application().CreateForm<TFormPreview>(*form);
        return *form;
    }

    // The user presses the category's button with the mouse.
    void ChooseCategory(Category category) { ClickAt(form->ButtonOfCategory(category), 5, 5); }

    TFormSelect* form = nullptr;
};
