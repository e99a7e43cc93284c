#include "platform/Guard.h"

#include "platform/MessageDlg.h"

#include <stdexcept>

void Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(std::runtime_error("Unknown error"));
    }
}

void ShowException(const std::exception& error) {
    try {
        MessageDlg(error.what(), TMsgDlgType::Error, mbOK);
    } catch (...) {
        // Nothing more can be reported.
    }
}
