#include "platform/MessageText.h"

const char* DialogTitle(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::Warning:
        return "Warning";
    case TMsgDlgType::Error:
        return "Error";
    case TMsgDlgType::Information:
        return "Information";
    case TMsgDlgType::Confirmation:
        return "Confirm";
    }
    return "";
}

std::vector<DialogButton> DialogButtons(TMsgDlgButtons buttons) {
    std::vector<DialogButton> list;
    if (buttons & mbYes) list.push_back({mrYes, "&Yes"});
    if (buttons & mbNo) list.push_back({mrNo, "&No"});
    if (buttons & mbOK) list.push_back({mrOk, "OK"});
    if (buttons & mbCancel) list.push_back({mrCancel, "Cancel"});
    if (list.empty()) list.push_back({mrOk, "OK"});
    return list;
}

TModalResult EscapeResult(TMsgDlgButtons buttons) {
    if (buttons & mbCancel) return mrCancel;
    if (buttons & mbNo) return mrNo;
    return mrOk;
}

std::string DisplayText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool pair = i + 1 < text.size() && ((c == '\n' && text[i + 1] == '\r') || (c == '\r' && text[i + 1] == '\n'));
        if (pair || c == '\n' || c == '\r') {
            shown += "\r\n";
            if (pair) ++i;
        } else {
            shown += c;
        }
    }
    return shown;
}
