// Vistrel Selector: chooses the start-up, waiting and shut-down screens and the wallpaper.
#include "platform/Application.h"
#include "platform/Guard.h"
#include "shell/StartUp.h"

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TApplication& application = Application();
    application.Initialize(instance);
    try {
        StartUp(application);
    } catch (const std::exception& error) {
        ShowException(error);
        return 1;
    }
    application.Run();
    return 0;
}
