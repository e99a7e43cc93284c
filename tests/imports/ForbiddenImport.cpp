// A binary that breaks the Windows 98 SE floor on purpose: GetTickCount64 came with Windows Vista,
// and the build asks for subsystem 5.1 (XP).
// The import audit must name it.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int main() {
    return GetTickCount64() == 0 ? 1 : 0;
}
