#pragma once
// GoogleTest's own Notification waits on std::mutex, which the win32 thread model of the Win32
// tree lacks. This one waits on a Win32 event; the tree defines GTEST_HAS_NOTIFICATION_ and makes
// every GoogleTest unit include this first, so GoogleTest takes it (with its Win32 mutexes and
// threads, which need nothing else).
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    ~Notification() { CloseHandle(event_); }

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

} // namespace internal
} // namespace testing
