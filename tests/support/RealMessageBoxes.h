#pragma once
// Real message boxes answered as a user answers them: a timer of the test's thread, which runs in
// the box's modal loop, finds each box in turn, records what it shows and answers it with the next
// answer: a key, or its close box (WM_CLOSE, or the system menu's SC_CLOSE).
#include "platform/MessageDlg.h"

#include <windows.h>

#include <string>
#include <vector>

struct SeenBox {
    std::string title;
    std::vector<std::string> texts;   // static texts
    std::vector<std::string> buttons; // button captions, left to right
    int defaultId = 0;
    RECT rect{};
};

enum class BoxAnswer { Enter, Escape, CloseMessage, SystemMenuClose };

class RealMessageBoxes {
public:
    // Takes the place of the test's responder for its life.
    explicit RealMessageBoxes(std::vector<BoxAnswer> answers) : answers_(std::move(answers)) {
        active_ = this;
        responder_ = SetMessageResponder(nullptr);
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;
    ~RealMessageBoxes() {
        KillTimer(nullptr, timer_);
        SetMessageResponder(std::move(responder_));
        active_ = nullptr;
    }

    // Every box shown, answered or not; a box beyond the answers is closed by its close box.
    std::vector<SeenBox> seen;
    bool AllAnswered() const { return seen.size() >= answers_.size(); }

private:
    static BOOL CALLBACK ReadChild(HWND child, LPARAM box) {
        char name[32] = {}, text[512] = {};
        GetClassNameA(child, name, sizeof(name));
        GetWindowTextA(child, text, sizeof(text));
        SeenBox& seen = *reinterpret_cast<SeenBox*>(box);
        if (lstrcmpiA(name, "Button") == 0) seen.buttons.push_back(text);
        if (lstrcmpiA(name, "Static") == 0 && *text) seen.texts.push_back(text);
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        RealMessageBoxes* self = active_;
        HWND box = GetActiveWindow();
        char name[32] = {};
        GetClassNameA(box, name, sizeof(name));
        if (!self || std::string(name) != "#32770" || box == self->answered_) return;
        self->answered_ = box;
        SeenBox seen;
        char title[64] = {};
        GetWindowTextA(box, title, sizeof(title));
        seen.title = title;
        EnumChildWindows(box, ReadChild, LPARAM(&seen));
        seen.defaultId = LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0));
        GetWindowRect(box, &seen.rect);
        const std::size_t next = self->seen.size();
        switch (next < self->answers_.size() ? self->answers_[next] : BoxAnswer::CloseMessage) {
        case BoxAnswer::Enter:
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
            break;
        case BoxAnswer::Escape:
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
            break;
        case BoxAnswer::CloseMessage:
            PostMessageA(box, WM_CLOSE, 0, 0);
            break;
        case BoxAnswer::SystemMenuClose:
            PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        self->seen.push_back(seen);
    }

    static inline RealMessageBoxes* active_ = nullptr;
    std::vector<BoxAnswer> answers_;
    HWND answered_ = nullptr;
    UINT_PTR timer_ = 0;
    MessageResponder responder_;
};
