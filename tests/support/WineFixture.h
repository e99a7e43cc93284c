#pragma once
// Wine test support: every message box is recorded and answered from a queue, the help system
// is recorded instead of opened, and the application is back to its start state after each test.
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/MessageDlg.h"
#include "platform/Registry.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

struct HelpCall {
    std::string file;
    UINT command;
};

// A second thread of the test, acting on the program's windows from outside its GUI thread the way
// a screen reader or an automation tool does.
class OtherThread {
public:
    explicit OtherThread(std::function<void()> work) : work_(std::move(work)) {
        handle_.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    }
    OtherThread(const OtherThread&) = delete;
    OtherThread& operator=(const OtherThread&) = delete;
    ~OtherThread() { Join(); }

    // Waits for the thread's end while this thread goes on handling the messages sent to it.
    bool Join(DWORD timeoutMs = 10000) {
        const DWORD start = GetTickCount();
        HANDLE handle = handle_.Get();
        while (handle && WaitForSingleObject(handle, 0) != WAIT_OBJECT_0) {
            if (GetTickCount() - start >= timeoutMs) return false;
            MsgWaitForMultipleObjects(1, &handle, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        return true;
    }

    // Polls a condition from the second thread until it holds or the time is up.
    template <typename Condition> static bool WaitFor(Condition condition, DWORD timeoutMs = 5000) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start >= timeoutMs) return false;
            Sleep(10);
        }
        return true;
    }

private:
    static DWORD WINAPI Run(LPVOID self) {
        static_cast<OtherThread*>(self)->work_();
        return 0;
    }
    std::function<void()> work_;
    UniqueKernelHandle handle_;
};

class WineFixture : public testing::Test {
protected:
    void SetUp() override {
        ClearProgramSettings();
        SetMessageResponder([this](const MessageBoxCall& call) {
            boxes.push_back(call);
            if (answers.empty()) {
                ADD_FAILURE() << "Unexpected message box: " << call.text;
                return mrCancel;
            }
            TModalResult answer = answers.front();
            answers.pop_front();
            return answer;
        });
        Application().SetHelpHook([this](const std::string& file, UINT command, ULONG_PTR) {
            helpCalls.push_back({file, command});
            return true;
        });
    }

    void TearDown() override {
        ResetApplication();
        ClearProgramSettings();
        SetMessageResponder(nullptr);
        Application().SetHelpHook(nullptr);
        EXPECT_TRUE(answers.empty()) << answers.size() << " prepared answer(s) were not used";
    }

    // Every test starts and ends without the program's settings key, autostart value, list file
    // and screen backups.
    static void ClearProgramSettings() {
        DeleteFileA((ProgramFolder() + "QZDATA.QZD").c_str());
        DeleteFileA((ProgramFolder() + "QZDATA.OLD").c_str());
        if (auto company = TRegistryKey::Open(HKEY_CURRENT_USER, "Software\\Orvandel"))
            company->DeleteKeyTree("Vistrel");
        if (auto run = TRegistryKey::Open(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"))
            run->DeleteValue("Vistrel");
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((ProgramFolder() + "logo*.bck").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do
            DeleteFileA((ProgramFolder() + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }

    // The folder of the test program, which is the program folder of the forms it makes.
    static std::string ProgramFolder() {
        std::string exe = Application().ExeName();
        return exe.substr(0, exe.find_last_of('\\') + 1);
    }

    // The application as after its start: no forms, the program not ending, no quit message waiting.
    static void ResetApplication() {
        Application().DestroyForms();
        TForm::SetMain(nullptr);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // Lets the windows handle what is waiting for them (painting, posted messages).
    static void PumpMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));
                return;
            }
            TForm::ProcessMessage(msg);
        }
    }

    // A key press as the message loop receives it, sent to the focused window.
    static void PressKey(UINT key, bool ctrl = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        BYTE saved = state[VK_CONTROL];
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        MSG msg = {};
        msg.hwnd = GetFocus();
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1;
        TForm::ProcessMessage(msg);
        state[VK_CONTROL] = saved;
        SetKeyboardState(state);
    }

    // What the user sees of a control: the window's own text.
    static std::string Text(const TControl& control) {
        char text[256] = {};
        GetWindowTextA(control.Handle(), text, sizeof(text));
        return text;
    }

    static bool Shown(const TControl& control) { return IsWindowVisible(control.Handle()) != FALSE; }

    static bool Enabled(const TControl& control) { return IsWindowEnabled(control.Handle()) != FALSE; }

    // The control's rectangle in the client coordinates of `window`.
    static RECT RectIn(const TControl& control, HWND window) {
        RECT rc;
        GetWindowRect(control.Handle(), &rc);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    // A click with the mouse at a point of the control, sent to its window.
    static void ClickAt(const TControl& control, int x, int y, bool twice = false) {
        HWND window = control.Handle();
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        if (twice) {
            SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
            SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        }
    }

public:
    // Handles messages until the condition holds or the time is up; true when it held.
    template <typename Condition> static bool WaitUntil(Condition condition, DWORD timeoutMs = 5000) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start >= timeoutMs) return false;
            PumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }

    // Keys through the system's input queue, as the keyboard gives them to the focused window of
    // the foreground window: the keys of the chord go down in order and come up in reverse order.
    static void TypeKeys(std::initializer_list<WORD> chord) {
        std::vector<INPUT> inputs;
        auto key = [&](WORD vk, DWORD flags) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.wScan = WORD(MapVirtualKeyA(vk, 0));
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        };
        for (WORD vk : chord)
            key(vk, 0);
        for (auto it = std::rbegin(chord); it != std::rend(chord); ++it)
            key(*it, KEYEVENTF_KEYUP);
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    // The mouse through the system's input queue: moved to `from`, a button pressed there, moved
    // to `to` and released there (screen coordinates; the same point for a click). Returns once the
    // pointer has settled at `to` (see SendMouse).
    static void MouseDrag(POINT from, POINT to, bool right = false) {
        SendMouse({{from, 0},
                   {from, DWORD(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN)},
                   {to, 0},
                   {to, DWORD(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)}});
    }

    // The mouse moved to a point (screen coordinates) and its wheel turned there by whole notches
    // (positive: away from the user). The wheel goes to the window under the point it carries.
    static void MouseWheel(POINT at, int notches) {
        SendMouse({{at, 0}, {at, MOUSEEVENTF_WHEEL, DWORD(notches * WHEEL_DELTA)}});
    }

    struct MouseEvent {
        POINT at;
        DWORD flags; // buttons or wheel; every event moves the mouse to its point first
        DWORD data = 0;
    };

    // Sends mouse events and handles them, with the X server's reports of the pointer they moved.
    // Wine moves the X pointer along with each injected mouse event, and on its virtual desktop the
    // X server's report of that move comes back as a mouse move of its own once the X events are
    // read, which may be long after (under load: after the next input). A late report of an earlier
    // point moves the mouse away under what follows: over an open drop-down list it moves the
    // selection, and a wheel goes to the window left behind. SetCursorPos makes Wine wait for the X
    // server's answer to a pointer grab, which comes after the reports of every move before it;
    // the next peek into an empty queue turns them into input. What can come later is the report
    // of that last move, at the point where the pointer already is.
    static void SendMouse(std::initializer_list<MouseEvent> events) {
        std::vector<INPUT> inputs;
        for (const MouseEvent& event : events) {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dx = MulDiv(event.at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = MulDiv(event.at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
            input.mi.dwFlags = event.flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            input.mi.mouseData = event.data;
            inputs.push_back(input);
        }
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        const POINT end = (events.end() - 1)->at;
        SetCursorPos(end.x, end.y);
        HandleQueuedInput();
    }

    // Handles the input the system has queued for this thread, up to the last event.
    static void HandleQueuedInput() {
        WaitUntil([] {
            PumpMessages();
            return HIWORD(GetQueueStatus(QS_INPUT)) == 0;
        });
    }

    // A point of a control (in its own coordinates) on the screen.
    static POINT ScreenPoint(const TControl& control, int x, int y) {
        RECT rc = RectIn(control, nullptr);
        return {rc.left + x, rc.top + y};
    }

    static void MouseClick(const TControl& control, int x, int y, bool right = false) {
        POINT pt = ScreenPoint(control, x, y);
        MouseDrag(pt, pt, right);
    }

    // Makes the form the foreground window, which receives the keyboard and is on top for the mouse.
    static void BringToFront(const TControl& form) {
        SetForegroundWindow(form.Handle());
        WaitUntil([&] { return GetForegroundWindow() == form.Handle(); });
    }

protected:
    std::vector<MessageBoxCall> boxes;
    std::deque<TModalResult> answers;
    std::vector<HelpCall> helpCalls;
};
