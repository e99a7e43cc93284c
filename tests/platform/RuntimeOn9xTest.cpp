// The runtime's wide-character calls, as it makes them through their import slots, end in the
// ANSI calls that Windows 95, 98 and ME carry out.
#include <gtest/gtest.h>
#include <windows.h>

TEST(RuntimeOn9x, ModuleLookUpsTakeTheAnsiCalls) {
    EXPECT_EQ(GetModuleHandleW(L"kernel32.dll"), GetModuleHandleA("kernel32.dll"));
    EXPECT_EQ(GetModuleHandleW(nullptr), GetModuleHandleA(nullptr));
    EXPECT_EQ(GetModuleHandleW(L"k\u00e9rnel32.dll"), nullptr) << "a name the ANSI call cannot take is not found";

    HMODULE advapi = LoadLibraryW(L"advapi32.dll");
    ASSERT_NE(advapi, nullptr);
    EXPECT_NE(GetProcAddress(advapi, "RegOpenKeyExA"), nullptr);
    FreeLibrary(advapi);
    EXPECT_EQ(LoadLibraryW(L"no-such-library-here.dll"), nullptr);
}

TEST(RuntimeOn9x, UnnamedSemaphoresWorkAndNamedOnesAreRefused) {
    HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 1, nullptr);
    ASSERT_NE(semaphore, nullptr);
    EXPECT_EQ(WaitForSingleObject(semaphore, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_TRUE(ReleaseSemaphore(semaphore, 1, nullptr));
    EXPECT_EQ(WaitForSingleObject(semaphore, 0), DWORD(WAIT_OBJECT_0));
    CloseHandle(semaphore);

    EXPECT_EQ(CreateSemaphoreW(nullptr, 0, 1, L"named"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CALL_NOT_IMPLEMENTED));
}

TEST(RuntimeOn9x, ExceptionsStillUnwind) {
    int caught = 0;
    try {
        throw 42;
    } catch (int value) {
        caught = value;
    }
    EXPECT_EQ(caught, 42);
}
