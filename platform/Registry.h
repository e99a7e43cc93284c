#pragma once
// The registry: a key object, and on top of it an ini-like layer in which a section is a subkey
// and every value is a string.
#include "platform/Handles.h"

#include <optional>
#include <string>

class TRegistryKey {
public:
    // Opens the key, creating it when missing; fails with "Failed to create key <path>".
    static TRegistryKey Create(HKEY root, const std::string& path);
    // Opens an existing key; nothing when it is missing or cannot be opened.
    static std::optional<TRegistryKey> Open(HKEY root, const std::string& path);

    HKEY Handle() const { return key_.Get(); }
    // True when the key holds a value of this name, of whatever type.
    bool HasValue(const std::string& name) const;
    // A string value; nothing when it is missing or not a string.
    std::optional<std::string> ReadString(const std::string& name) const;
    // Fails with "Failed to set data for '<name>'".
    void WriteString(const std::string& name, const std::string& value);
    // True when the value is gone afterwards (also when it was missing).
    bool DeleteValue(const std::string& name);
    // True when the key has neither values nor subkeys.
    bool IsEmpty() const;
    // Deletes a subkey with everything below it; true when it is gone afterwards.
    bool DeleteKeyTree(const std::string& subKey);

private:
    explicit TRegistryKey(HKEY key) : key_(key) {}
    UniqueKey key_;
};

// Sections under one key, created on first write.
class TIniSections {
public:
    // Opens the key with creation.
    TIniSections(HKEY root, const std::string& path) : key_(TRegistryKey::Create(root, path)), path_(path) {}

    std::string ReadString(const std::string& section, const std::string& name, const std::string& fallback) const;
    // A text that is not a whole number gives the fallback.
    int ReadInteger(const std::string& section, const std::string& name, int fallback) const;
    // 0 is off, any other whole number on; anything else gives the fallback.
    bool ReadBool(const std::string& section, const std::string& name, bool fallback) const;

    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& name, int value);
    void WriteBool(const std::string& section, const std::string& name, bool value);

private:
    TRegistryKey key_;
    std::string path_;
};
