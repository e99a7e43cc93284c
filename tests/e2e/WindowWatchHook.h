#pragma once
// What WindowWatch and its hook library (WindowWatchHook.dll) agree on.
#include <windows.h>

// The watch's window: this class, its title the id of the process it follows.
inline constexpr const char* kWindowWatchClass = "VistrelWindowWatch";
// Sent to the watch's window: look at the windows now.
inline constexpr UINT kWindowWatchLook = WM_APP + 1;
// How long the program waits for one look at most.
inline constexpr UINT kWindowWatchPatienceMs = 10000;
// The library's export: FollowThread(thread id) sets the hook on that thread and returns it.
using FollowThreadFunction = HHOOK (*)(DWORD threadId);
