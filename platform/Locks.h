#pragma once
// A Win32 critical section and its scope owner. What ships is built without a thread runtime
// (std::mutex needs one), so the few places that share state between threads use these.
#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { DeleteCriticalSection(&section_); }

    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

// Holds the section for the lifetime of this object.
class CriticalSectionScope {
public:
    explicit CriticalSectionScope(CriticalSection& section) : section_(section) { section_.Enter(); }
    CriticalSectionScope(const CriticalSectionScope&) = delete;
    CriticalSectionScope& operator=(const CriticalSectionScope&) = delete;
    ~CriticalSectionScope() { section_.Leave(); }

private:
    CriticalSection& section_;
};
