#include "platform/MessageDlg.h"

#include "platform/Fonts.h"
#include "platform/Handles.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}

std::function<HWND()>& Owner() {
    static std::function<HWND()> owner;
    return owner;
}

struct DialogState {
    const MessageBoxCall* call;
    std::vector<DialogButton> buttons;
};

// The icon of the box's kind, and the system sound that the system's own boxes of that kind play.
struct KindLook {
    LPCSTR icon;
    UINT sound;
};

KindLook LookOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::Warning:
        return {IDI_EXCLAMATION, MB_ICONEXCLAMATION};
    case TMsgDlgType::Error:
        return {IDI_HAND, MB_ICONHAND};
    case TMsgDlgType::Confirmation:
        return {IDI_QUESTION, MB_ICONQUESTION};
    default:
        return {IDI_ASTERISK, MB_ICONASTERISK};
    }
}

// The sizes of the system's own message box, given like every length of the forms at 96 pixels per
// inch: the margin and the gaps, a button, the widest line of text and what a line needs beyond it.
constexpr int kMargin96 = 11, kGap96 = 8, kTextWidth96 = 400, kTextSpare96 = 2;
constexpr TBounds kButton96{0, 0, 75, 25};

// Lays the box out around its text: icon at the left, text beside it, buttons centred below.
void LayOut(HWND dialog, const DialogState& state) {
    const int kMargin = Scaled(kMargin96), kGap = Scaled(kGap96), kIcon = GetSystemMetrics(SM_CXICON);
    const TBounds button = Scaled(kButton96);
    const int kButtonWidth = button.width, kButtonHeight = button.height;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HFONT font = FontHandle(TFontSpec{});
    std::string shown = DisplayText(state.call->text);

    RECT textRect{0, 0, Scaled(kTextWidth96), 0};
    {
        WindowDc dc(dialog);
        SelectObjectScope select(dc.Get(), font);
        DrawTextA(dc.Get(), shown.c_str(), int(shown.size()), &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        textRect.right += Scaled(kTextSpare96); // a line that fills the label exactly would lose its last word
    }
    int textLeft = kMargin + kIcon + kGap * 2;
    int buttonsWidth = int(state.buttons.size()) * kButtonWidth + int(state.buttons.size() - 1) * kGap;
    int clientWidth = std::max<int>(textLeft + textRect.right + kMargin, buttonsWidth + 2 * kMargin);
    int bodyHeight = std::max<int>(kIcon, textRect.bottom);
    int clientHeight = kMargin + bodyHeight + kGap * 2 + kButtonHeight + kMargin;

    HWND icon = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, kMargin, kMargin, kIcon, kIcon,
                                dialog, nullptr, instance, nullptr);
    SendMessageA(icon, STM_SETICON, WPARAM(LoadIcon(nullptr, LookOf(state.call->type).icon)), 0);
    HWND text = CreateWindowExA(0, "STATIC", shown.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft,
                                kMargin + (bodyHeight - textRect.bottom) / 2, textRect.right, textRect.bottom, dialog,
                                nullptr, instance, nullptr);
    SendMessageA(text, WM_SETFONT, WPARAM(font), FALSE);

    int x = (clientWidth - buttonsWidth) / 2, y = clientHeight - kMargin - kButtonHeight;
    for (std::size_t i = 0; i < state.buttons.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindowExA(0, "BUTTON", state.buttons[i].caption, style, x, y, kButtonWidth, kButtonHeight,
                                      dialog, HMENU(INT_PTR(state.buttons[i].result)), instance, nullptr);
        SendMessageA(button, WM_SETFONT, WPARAM(font), FALSE);
        if (i == 0) SetFocus(button);
        x += kButtonWidth + kGap;
    }
    SendMessageA(dialog, DM_SETDEFID, WPARAM(state.buttons[0].result), 0);

    DWORD style = DWORD(GetWindowLongA(dialog, GWL_STYLE)), exStyle = DWORD(GetWindowLongA(dialog, GWL_EXSTYLE));
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(dialog, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, 0);
    SetWindowTextA(dialog, DialogTitle(state.call->type));
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, LONG_PTR(state));
        LayOut(dialog, *state);
        return FALSE; // the focus is on the default button already
    }
    case WM_COMMAND: {
        auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        int id = LOWORD(wParam);
        for (const DialogButton& button : state->buttons)
            if (button.result == id) {
                EndDialog(dialog, id);
                return TRUE;
            }
        if (id == IDCANCEL) { // Escape
            EndDialog(dialog, EscapeResult(state->call->buttons));
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE: // the title bar's close box, or a close from outside: no answer was chosen
        EndDialog(dialog, mrCancel);
        return TRUE;
    }
    return FALSE;
}

// An empty dialog template in "MS Sans Serif" 8: the controls are made once the text is known.
std::vector<WORD> EmptyDialogTemplate() {
    std::vector<WORD> words(9, 0); // DLGTEMPLATE: style, extended style, no items, position, size
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    words[0] = LOWORD(style);
    words[1] = HIWORD(style);
    words.insert(words.end(), {0, 0, 0, 8}); // no menu, standard class, empty title, point size
    for (const char* c = "MS Sans Serif"; *c; ++c)
        words.push_back(WORD(*c));
    words.push_back(0);
    return words;
}
} // namespace

MessageResponder SetMessageResponder(MessageResponder responder) {
    std::swap(Responder(), responder);
    return responder;
}

void SetMessageBoxOwner(std::function<HWND()> owner) {
    Owner() = std::move(owner);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    MessageBoxCall call{type, text, buttons};
    if (Responder()) return Responder()(call);

    MessageBeep(LookOf(type).sound);
    DialogState state{&call, DialogButtons(buttons)};
    std::vector<WORD> dialogTemplate = EmptyDialogTemplate();

    HWND owner = GetActiveWindow();
    if (!owner && Owner()) owner = Owner()();
    INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                owner, DialogProc, LPARAM(&state));
    return result <= 0 ? EscapeResult(buttons) : TModalResult(result);
}
