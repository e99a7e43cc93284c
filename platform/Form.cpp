#include "platform/Form.h"

#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Menus.h"
#include "platform/Monitors.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {
TForm* mainForm = nullptr;
bool ending = false;
// Where the form tells the message loop whether a menu took the key of an accelerator.
bool* keyTaken = nullptr;

BOOL CALLBACK TellSysColorChange(HWND child, LPARAM) {
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}
} // namespace

TForm* TForm::Main() {
    return mainForm;
}

void TForm::SetMain(TForm* form) {
    mainForm = form;
    ending = false;
}

void TForm::EndProgram() {
    if (ending) return;
    ending = true;
    PostQuitMessage(0);
}

bool TForm::Ending() {
    return ending;
}

void TForm::ProcessMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_CHAR ||
        msg.message == WM_SYSCHAR) {
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (auto* form = dynamic_cast<TForm*>(TControl::FromHandle(root))) {
            // The short-cuts come first (F4 is the program's, not the drop-down list's), unless no
            // menu takes the key where the focus is; the system's dialog manager takes the rest and
            // dispatches what it does not use.
            bool taken = false;
            bool* outer = std::exchange(keyTaken, &taken);
            bool translated = form->accelerators_ && TranslateAcceleratorA(root, form->accelerators_.Get(), &msg);
            keyTaken = outer;
            if ((translated && taken) || IsDialogMessageA(root, &msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

TForm::~TForm() = default;

void TForm::MakeCommands(std::vector<TCommand> commands, const std::vector<TMenuEntry>& entries) {
    commands_ = std::move(commands);
    std::vector<ACCEL> keys;
    auto addKey = [&keys](TShortCut key) {
        if (key == scNone || std::any_of(keys.begin(), keys.end(), [key](const ACCEL& a) { return a.cmd == key; }))
            return;
        keys.push_back(
            {BYTE(FVIRTKEY | (key & scShift ? FSHIFT : 0) | (key & scCtrl ? FCONTROL : 0) | (key & scAlt ? FALT : 0)),
             WORD(key & 0xFF), key});
    };
    for (const TMenuEntry& entry : entries) {
        auto command = std::find_if(commands_.begin(), commands_.end(),
                                    [&entry](const TCommand& c) { return entry.command && c.id == entry.command; });
        const bool carries = command != commands_.end();
        const std::string& caption = !entry.caption.empty() || !carries ? entry.caption : command->caption;
        const TShortCut key = entry.shortCut.value_or(carries ? command->shortCut : scNone);
        entry.menu->Add(entry.item, caption.empty() ? TMenuItem::kSeparator : caption, key);
        addKey(key);
        if (carries && entry.item) {
            entry.item->OnClick = command->action;
            entries_.emplace_back(entry.command, entry.item);
        }
    }
    for (const TCommand& command : commands_)
        addKey(command.otherKey);
    accelerators_.Reset(CreateAcceleratorTableA(keys.data(), int(keys.size())));
}

void TForm::SetCommandChecked(int command, bool checked) {
    for (auto& [id, item] : entries_)
        if (id == command) item->SetChecked(checked);
}

void TForm::SetCommandEnabled(int command, bool enabled) {
    for (auto& [id, item] : entries_)
        if (id == command) item->SetEnabled(enabled);
}

void TForm::SetCommandVisible(int command, bool visible) {
    for (auto& [id, item] : entries_)
        if (id == command) item->SetVisible(visible);
}

void TForm::CreateFormWindow() {
    DWORD style = WS_CLIPCHILDREN, exStyle = WS_EX_CONTROLPARENT;
    switch (BorderStyle) {
    case TBorderStyle::Single:
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TBorderStyle::None:
        style |= WS_POPUP;
        break;
    case TBorderStyle::Dialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    RECT rc{0, 0, Scaled(ClientWidth), Scaled(ClientHeight)}; // given at 96 pixels per inch
    AdjustWindowRectEx(&rc, style, Menu != nullptr, exStyle);
    // In the middle of the screen; one larger than the screen keeps its title bar on it.
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    HWND owner = mainForm && mainForm != this ? mainForm->Handle() : nullptr;
    CreateHandle(nullptr, kFormClassName, style, exStyle,
                 {std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2),
                  std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2), width, height},
                 Title, owner);
    if (Menu) Menu->Attach(Handle());
}

// Hints need a window of their own; it is made when first needed, not at start-up.
void TForm::CreateHintWindow() {
    tooltip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    std::vector<TControl*> stack(Controls().begin(), Controls().end());
    while (!stack.empty()) {
        TControl* control = stack.back();
        stack.pop_back();
        if (!control->Hint().empty()) UpdateHint(*control);
        stack.insert(stack.end(), control->Controls().begin(), control->Controls().end());
    }
}

void TForm::Create() {
    if (CreateWhenShown && !VisibleAtCreation) {
        waiting_ = true;
        return;
    }
    Build();
}

void TForm::Build() {
    CreateFormWindow();
    BuildControls();
    Realign();
    created_ = true;
    Guard([this] { FormCreate(); });
    if (VisibleAtCreation) Show();
}

void TForm::EnsureCreated() {
    if (!waiting_) return;
    waiting_ = false;
    Build();
}

void TForm::Destroy() {
    if (!Handle()) return;
    if (created_) {
        created_ = false;
        FormDestroy();
    }
    if (Menu) Menu->Detach();
    tooltip_.Reset();
    ForgetChildHandles();
    DestroyWindow(Handle());
}

void TForm::Show() {
    EnsureCreated();
    if (!Handle() || IsWindowVisible(Handle())) return;
    showAsked_ = true;
    Guard([this] { FormShow(); });
    if (!Handle() || !showAsked_) return;
    int command = ActivateOnShow ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
    if (pendingState_ == TWindowState::Minimized) command = SW_SHOWMINNOACTIVE;
    if (pendingState_ == TWindowState::Maximized) command = SW_SHOWMAXIMIZED;
    ShowWindow(Handle(), command);
    // Painted at once, children included, also when no message loop runs yet (the splash screen).
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TForm::Hide() {
    showAsked_ = false;
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

bool TForm::Showing() const {
    return Handle() && IsWindowVisible(Handle());
}

void TForm::Close() {
    if (modal_) {
        ModalResult = mrCancel;
        return;
    }
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) return;
    FormClose();
    if (mainForm == this)
        EndProgram();
    else
        Hide();
}

TModalResult TForm::ShowModal() {
    modal_ = true;
    ModalResult = mrNone;
    // Every other window of the program waits until the modal form is closed.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, LPARAM(&disabled));
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, FALSE);
    Show();
    if (DefaultButton && DefaultButton->CanFocus())
        DefaultButton->SetFocus();
    else
        SelectNext(true);
    // The wait wakes for sent messages too: a result set by a message sent from another thread
    // (a screen reader pressing the button, a close from outside) ends the loop at once.
    while (ModalResult == mrNone) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));
                break;
            }
            ProcessMessage(msg);
        } else if (ModalResult == mrNone) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        }
    }
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, TRUE);
    Hide();
    modal_ = false;
    return ModalResult;
}

TWindowState TForm::WindowState() const {
    if (!Showing()) return pendingState_;
    if (IsIconic(Handle())) return TWindowState::Minimized;
    if (IsZoomed(Handle())) return TWindowState::Maximized;
    return TWindowState::Normal;
}

void TForm::SetWindowState(TWindowState state) {
    pendingState_ = state;
    if (!Showing()) return;
    ShowWindow(Handle(), state == TWindowState::Minimized   ? SW_MINIMIZE
                         : state == TWindowState::Maximized ? SW_MAXIMIZE
                                                            : SW_RESTORE);
}

void TForm::MaximizeOn(const MonitorRect& monitor) {
    HWND window = Handle();
    if (window && !(MonitorOfWindow(window) == monitor)) {
        if (IsZoomed(window)) ShowWindow(window, SW_RESTORE);
        RECT rc;
        GetWindowRect(window, &rc);
        const int width = rc.right - rc.left, height = rc.bottom - rc.top;
        SetWindowPos(window, nullptr, monitor.left + std::max(0, (monitor.width - width) / 2),
                     monitor.top + std::max(0, (monitor.height - height) / 2), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowState(TWindowState::Maximized);
}

void TForm::SetLeft(int left) {
    RECT rc;
    GetWindowRect(Handle(), &rc);
    SetWindowPos(Handle(), nullptr, left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SelectNext(bool forward) {
    HWND focus = GetFocus();
    if (focus && !IsChild(Handle(), focus)) focus = nullptr;
    if (HWND next = GetNextDlgTabItem(Handle(), focus, !forward)) ::SetFocus(next);
}

void TForm::RestoreFocus() {
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_))
        ::SetFocus(lastFocus_);
    else
        SelectNext(true);
}

TMenuItem* TForm::ShortCutEntry(TShortCut shortCut) const {
    TControl* focused = nullptr;
    for (HWND hwnd = GetFocus(); hwnd && !focused; hwnd = GetParent(hwnd))
        focused = FromHandle(hwnd);
    TMenuItem* entry = nullptr;
    for (TControl* c = focused; c && !entry; c = c->Parent())
        if (c->PopupMenu) entry = c->PopupMenu->Items.FindShortCut(shortCut);
    return entry || !Menu ? entry : Menu->Items.FindShortCut(shortCut);
}

bool TForm::ShortCutPressed(TShortCut shortCut) {
    TMenuItem* entry = ShortCutEntry(shortCut);
    auto other = std::find_if(commands_.begin(), commands_.end(),
                              [shortCut](const TCommand& command) { return command.otherKey == shortCut; });
    if (!entry && other == commands_.end()) return false;
    UpdateCommands();
    if (entry) {
        bool acts = true;
        for (const TMenuItem* above = entry; above; above = above->Parent())
            acts = acts && above->Enabled();
        if (acts) entry->Click();
        return true;
    }
    bool carried = false, enabled = false;
    for (auto& [id, item] : entries_)
        if (id == other->id) carried = true, enabled = enabled || item->Enabled();
    if ((enabled || !carried) && other->action) other->action();
    return true;
}

void TForm::DialogCommand(WORD id) {
    TControl* focused = FromHandle(GetFocus());
    if (id == IDOK) {
        if (auto* button = dynamic_cast<TButton*>(focused))
            button->Click();
        else if (focused && focused->DialogKey(VK_RETURN))
            return;
        else if (DefaultButton && DefaultButton->CanFocus())
            DefaultButton->Click();
        return;
    }
    if (CancelButton && CancelButton->CanFocus())
        CancelButton->Click();
    else if (modal_) // a modal form without a cancel button closes like its close box
        Close();
}

// A change of the system colours (or of the high-contrast scheme) reaches every control: the
// common controls take their new colours from it, and everything is painted again.
void TForm::RepaintAll() {
    EnumChildWindows(Handle(), TellSysColorChange, 0);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Each control with a hint is a tool by its window.
void TForm::UpdateHint(TControl& control) {
    if (!tooltip_ || !control.Handle()) return;
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    info.hwnd = Handle();
    info.uId = UINT_PTR(control.Handle());
    bool known = SendMessageA(tooltip_.Get(), TTM_GETTOOLINFOA, 0, LPARAM(&info)) != 0;
    info.lpszText = const_cast<char*>(control.Hint().c_str());
    bool wanted = !control.Hint().empty() && control.Visible();
    if (!wanted) {
        if (known) SendMessageA(tooltip_.Get(), TTM_DELTOOLA, 0, LPARAM(&info));
    } else if (!known) {
        SendMessageA(tooltip_.Get(), TTM_ADDTOOLA, 0, LPARAM(&info));
    } else {
        SendMessageA(tooltip_.Get(), TTM_UPDATETIPTEXTA, 0, LPARAM(&info));
    }
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SETCURSOR: // the mouse is over the form or one of its controls
        if (ShowHint && !tooltip_ && created_) CreateHintWindow();
        break;
    case WM_SIZE:
        Realign();
        if (created_) FormResize();
        return 0;
    case WM_COMMAND:
        // Enter and Escape from the dialog manager: the controls have no ids of their own.
        if (HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            DialogCommand(LOWORD(wParam));
            return 0;
        }
        if (lParam == 0 && HIWORD(wParam) == 0 && Menu) {
            if (TMenuItem* item = Menu->Items.FindCommand(LOWORD(wParam))) item->Click();
            return 0;
        }
        if (lParam == 0 && HIWORD(wParam) == 1) { // an accelerator: the short-cut is its id
            const bool used = ShortCutPressed(LOWORD(wParam));
            if (keyTaken) *keyTaken = used;
            return 0;
        }
        break;
    case WM_INITMENU: // the menu bar or a pop-up menu of the form opens
        UpdateCommands();
        break;
    case WM_ACTIVATE:
        // Tips belong to the active window: one that is up goes when another window comes over it.
        if (tooltip_) SendMessageA(tooltip_.Get(), TTM_ACTIVATE, LOWORD(wParam) != WA_INACTIVE, 0);
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            break;
        }
        // The default step gives the form the keyboard focus (unless it is minimized), which then
        // goes on to the control that had it.
        DefaultProc(msg, wParam, lParam);
        if (created_ && !HIWORD(wParam)) FormActivate();
        return 0;
    // The end of the Windows session closes the main form like any close: the close question may
    // refuse it, and at its end the settings are stored and the program ends.
    case WM_QUERYENDSESSION: {
        if (!created_ || mainForm != this || modal_) return TRUE;
        bool canEnd = true;
        Guard([&] { FormCloseQuery(canEnd); });
        return canEnd;
    }
    case WM_ENDSESSION:
        if (wParam && created_ && mainForm == this && !Ending()) {
            Guard([this] { FormClose(); });
            EndProgram();
        }
        return 0;
    case WM_SETFOCUS: // activated, restored from the minimized state, or its focused control went away
        RestoreFocus();
        return 0;
    // The dialog manager moves the focus: to the given control, or to the next or previous tab stop.
    case WM_NEXTDLGCTL:
        if (lParam)
            ::SetFocus(HWND(wParam));
        else
            SelectNext(wParam == 0);
        return 0;
    case WM_SYSCOLORCHANGE:
        RepaintAll();
        return 0;
    }
    return TControl::WndProc(msg, wParam, lParam);
}
