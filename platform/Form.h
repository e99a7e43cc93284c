#pragma once
// Top-level windows. A form builds its controls in code, then runs its create step and, when
// visible from creation, its first show; the handlers are virtual methods named after the events.
#include "platform/MenuItem.h"
#include "platform/MessageText.h"
#include "platform/MonitorRect.h"
#include "platform/Window.h"

#include <optional>
#include <utility>

class TMainMenu;
class TButton;

// One command of a form: its id (the form's own numbering, from 1), its caption, its short-cut and
// what it does. Another key may act for it too, one that no menu entry shows.
struct TCommand {
    int id;
    std::string caption;
    TShortCut shortCut = scNone;
    std::function<void()> action;
    TShortCut otherKey = scNone;
};

// One entry of a form's menus: the menu it goes in (an entry, or the root entry of a menu bar or
// pop-up menu), the entry (none: an unnamed separator) and the command it carries (0: none, for a
// menu of entries or a separator). The entry shows its command's caption and short-cut unless it
// gives its own. A menu's row comes before the rows of its entries.
struct TMenuEntry {
    TMenuItem* menu;
    TMenuItem* item = nullptr;
    int command = 0;
    std::string caption = {};
    std::optional<TShortCut> shortCut = std::nullopt;
};

enum class TBorderStyle { Single, None, Dialog };
enum class TWindowState { Normal, Minimized, Maximized };

class TForm : public TControl {
public:
    TForm() = default;
    ~TForm() override;

    // The program's main form, named by the application: it owns the other forms' windows, and
    // closing it ends the program. Naming one (or none) starts anew: the program is not ending.
    static TForm* Main();
    static void SetMain(TForm* form);
    // Ends the program once: its message loop stops at the quit message this posts.
    static void EndProgram();
    static bool Ending();
    // One message of the program's loop: the form's accelerator table first, then the system's
    // dialog manager, then the window the message is for.
    static void ProcessMessage(MSG& msg);

    // Builds the window and its controls, runs FormCreate, and shows the form when it is visible
    // from creation (which runs FormShow inside the creation).
    void Create();
    // Makes now a form that waits for its first show (see CreateWhenShown); nothing otherwise.
    void EnsureCreated();
    // Runs FormDestroy and destroys the window with all its controls.
    void Destroy();

    void Show();
    void Hide();
    // Asks FormCloseQuery; when allowed runs FormClose and hides the form, or ends the program
    // when it is the main form. A modal form just ends its modal show with mrCancel.
    void Close();
    TModalResult ShowModal();
    TModalResult ModalResult = mrNone;
    bool Showing() const;

    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    // Maximized on the monitor: the system maximizes a window on the monitor that holds it, so one
    // maximized elsewhere is brought back and moved there first.
    void MaximizeOn(const MonitorRect& monitor);
    void SetLeft(int left);

    // Moves the focus to the next (or previous) tab stop. The tab order is the order in which the
    // form made its windows (hidden and disabled ones are passed over), which is also the order in
    // which screen readers meet them: a label goes just before the control it names.
    void SelectNext(bool forward);
    // Enter clicks the focused button, else this one; Escape clicks the cancel button.
    TButton* DefaultButton = nullptr;
    TButton* CancelButton = nullptr;

    void UpdateHint(TControl& control) override;
    void ButtonResult(TModalResult result) override { ModalResult = result; }
    // The tooltip window, made when the mouse first comes over the form.
    HWND HintWindow() const { return tooltip_.Get(); }

protected:
    // Set by the derived form before Create; the client size at 96 pixels per inch, which grows
    // with the system font like every control's place.
    std::string Title;
    int ClientWidth = 300;
    int ClientHeight = 200;
    TBorderStyle BorderStyle = TBorderStyle::Single;
    bool VisibleAtCreation = false;
    // A form hidden at its creation gets its window and controls when first shown, or when
    // EnsureCreated asks for them: a window nobody opens costs nothing at start-up.
    bool CreateWhenShown = false;
    bool ShowHint = false;
    // A splash screen shows without taking the activation from the program's other windows.
    bool ActivateOnShow = true;
    TMainMenu* Menu = nullptr;

    // Makes the form's menus from its commands and entries, and its accelerator table from the
    // entries' short-cuts and the commands' other keys, each key once (when the form is constructed).
    void MakeCommands(std::vector<TCommand> commands, const std::vector<TMenuEntry>& entries);
    // The check mark, enabling and visibility of every entry that carries the command.
    void SetCommandChecked(int command, bool checked);
    void SetCommandEnabled(int command, bool enabled);
    void SetCommandVisible(int command, bool visible);
    // Brings the commands' states up to date with what the form shows: runs before one of the
    // form's menus opens and before a short-cut acts, so a key acts as the menu would.
    virtual void UpdateCommands() {}

    virtual void BuildControls() {}
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormCloseQuery(bool& /*canClose*/) {}
    virtual void FormClose() {}
    virtual void FormDestroy() {}
    virtual void FormResize() {}
    virtual void FormActivate() {}

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Build();
    void CreateFormWindow();
    // The entry a short-cut key reaches: the first with that key in the focused control's pop-up
    // menu, in those of its containers, then in the main menu.
    TMenuItem* ShortCutEntry(TShortCut shortCut) const;
    // A key that reaches an entry acts when the entry and those above it are enabled; a command's
    // other key acts when one of its entries is enabled, or it has none. True when the key is used.
    bool ShortCutPressed(TShortCut shortCut);
    // Enter and Escape, as the dialog manager reports them (IDOK, IDCANCEL).
    void DialogCommand(WORD id);
    void RepaintAll();
    void CreateHintWindow();
    // Gives the focus back to the control that had it last, else to the first in the tab order.
    void RestoreFocus();

    bool created_ = false;
    bool waiting_ = false; // CreateWhenShown, and not made yet
    bool modal_ = false;
    bool showAsked_ = false; // shown, or on its way: Hide (also from FormShow) takes it back
    TWindowState pendingState_ = TWindowState::Normal;
    UniqueWindow tooltip_;
    HWND lastFocus_ = nullptr;
    UniqueAccelerators accelerators_;
    std::vector<TCommand> commands_;
    std::vector<std::pair<int, TMenuItem*>> entries_; // each entry that carries a command, with its id
};
