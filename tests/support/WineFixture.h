#pragma once
// Wine test support: every message box is recorded and answered from a queue, the help system
// is recorded instead of opened, and the application is back to its start state after each test.
#include "platform/Application.h"
#include "platform/MessageDlg.h"
#include "platform/Registry.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

struct HelpCall {
    std::string file;
    UINT command;
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
        Application().Reset();
        ClearProgramSettings();
        SetMessageResponder(nullptr);
        Application().SetHelpHook(nullptr);
        EXPECT_TRUE(answers.empty()) << answers.size() << " prepared answer(s) were not used";
    }

    // Every test starts and ends without the program's settings key, autostart value, list file
    // and screen backups.
    static void ClearProgramSettings() {
        DeleteFileA((ProgramFolder() + "QZDATA.QZD").c_str());
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

    // Lets the windows handle what is waiting for them (painting, posted messages).
    static void PumpMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));
                return;
            }
            Application().ProcessMessage(msg);
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
        Application().ProcessMessage(msg);
        state[VK_CONTROL] = saved;
        SetKeyboardState(state);
    }

    // What the user sees of a control: the window's own text, or for a graphic control the text
    // its container paints.
    static std::string Text(const TControl& control) {
        if (control.IsGraphic()) return control.Caption();
        char text[256] = {};
        GetWindowTextA(control.Handle(), text, sizeof(text));
        return text;
    }

    static bool Shown(const TControl& control) {
        if (!control.IsGraphic()) return IsWindowVisible(control.Handle()) != FALSE;
        return control.Visible() && IsWindowVisible(control.Parent()->Handle());
    }

    static bool Enabled(const TControl& control) {
        return control.IsGraphic() ? control.Enabled() : IsWindowEnabled(control.Handle()) != FALSE;
    }

    // The control's rectangle in the client coordinates of `window`.
    static RECT RectIn(const TControl& control, HWND window) {
        RECT rc;
        if (control.IsGraphic()) {
            const TBounds& b = control.Bounds();
            rc = {b.left, b.top, b.left + b.width, b.top + b.height};
            MapWindowPoints(control.Parent()->Handle(), window, reinterpret_cast<POINT*>(&rc), 2);
        } else {
            GetWindowRect(control.Handle(), &rc);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        }
        return rc;
    }

    // A click with the mouse at a point of the control, sent to the window under the mouse.
    static void ClickAt(const TControl& control, int x, int y, bool twice = false) {
        HWND window = control.IsGraphic() ? control.Parent()->Handle() : control.Handle();
        if (control.IsGraphic()) {
            x += control.Left();
            y += control.Top();
        }
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        if (twice) {
            SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
            SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        }
    }

    std::vector<MessageBoxCall> boxes;
    std::deque<TModalResult> answers;
    std::vector<HelpCall> helpCalls;
};
