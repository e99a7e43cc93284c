#pragma once
// Event handlers run guarded: no failure crosses the system's code; it ends the handler and is shown
// in the general error box.
#include <exception>
#include <functional>

void Guard(const std::function<void()>& handler);
void ShowException(const std::exception& error);
