// Linked into every binary: fill-ins for the few wide-character calls of the MinGW runtime, which
// Windows 95, 98 and ME export only as stubs that fail. Their import slots are filled here with
// functions that take the ANSI calls instead, so the binaries import no W function at all:
// - the exception unwinder's locks make their semaphores with CreateSemaphoreW (never named);
// - the C runtime looks up msvcrt.dll and advapi32.dll extras with GetModuleHandleW and
//   LoadLibraryW (plain ASCII names).
#include <windows.h>

#include <string>

namespace {

// An ASCII name as the ANSI calls take it; empty when the name holds anything else.
std::string AsciiName(LPCWSTR name) {
    std::string ascii;
    for (; *name != 0; ++name) {
        if (*name > 0x7F) return {};
        ascii += char(*name);
    }
    return ascii;
}

HANDLE WINAPI CreateSemaphoreThroughA(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum, LPCWSTR name) {
    if (name != nullptr) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    return CreateSemaphoreA(attributes, initial, maximum, nullptr);
}

HMODULE WINAPI GetModuleHandleThroughA(LPCWSTR name) {
    if (name == nullptr) return GetModuleHandleA(nullptr);
    const std::string ascii = AsciiName(name);
    if (ascii.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return GetModuleHandleA(ascii.c_str());
}

HMODULE WINAPI LoadLibraryThroughA(LPCWSTR name) {
    const std::string ascii = name ? AsciiName(name) : std::string();
    if (ascii.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return LoadLibraryA(ascii.c_str());
}

} // namespace

// The import slots the runtime calls through: defined here, the linker takes no import for them.
extern "C" {
HANDLE(WINAPI* runtimeCreateSemaphoreW)
(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) __asm__("__imp__CreateSemaphoreW@16") = CreateSemaphoreThroughA;
HMODULE(WINAPI* runtimeGetModuleHandleW)(LPCWSTR) __asm__("__imp__GetModuleHandleW@4") = GetModuleHandleThroughA;
HMODULE(WINAPI* runtimeLoadLibraryW)(LPCWSTR) __asm__("__imp__LoadLibraryW@4") = LoadLibraryThroughA;
}
