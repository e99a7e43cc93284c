#pragma once
// What another process reads of this process's windows, as a screen reader or an automation tool
// does: the reader program beside the tests (WindowReader.exe) reads them while this thread goes on
// handling the messages it sends. One reading per window: its fields by name (see WindowReader.cpp).
#include "tests/support/WineFixture.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

using WindowReading = std::map<std::string, std::string>;

inline std::vector<WindowReading> ReadFromOtherProcess(const std::vector<HWND>& windows) {
    const std::string folder = Application().ExeName().substr(0, Application().ExeName().find_last_of('\\') + 1);
    const std::string output = folder + "reading.txt";
    std::string command = "\"" + folder + "WindowReader.exe\" \"" + output + "\"";
    for (HWND window : windows) {
        char hex[16];
        std::snprintf(hex, sizeof(hex), " %lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
        command += hex;
    }
    DeleteFileA(output.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::vector<WindowReading> readings;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return readings;
    UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    WineFixture::WaitUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 20000);
    std::ifstream file(output);
    for (std::string line; std::getline(file, line);) {
        WindowReading reading;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            reading[field.substr(0, field.find('='))] = field.substr(field.find('=') + 1);
        readings.push_back(reading);
    }
    return readings;
}
