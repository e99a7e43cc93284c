#include "platform/Registry.h"

#include "platform/SettingsText.h"

#include <stdexcept>
#include <vector>

TRegistryKey TRegistryKey::Create(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        throw std::runtime_error("Failed to create key " + path);
    return TRegistryKey(key);
}

std::optional<TRegistryKey> TRegistryKey::Open(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return std::nullopt;
    return TRegistryKey(key);
}

bool TRegistryKey::HasValue(const std::string& name) const {
    return RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<std::string> TRegistryKey::ReadString(const std::string& name) const {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data.data()); // up to the terminating zero
}

void TRegistryKey::WriteString(const std::string& name, const std::string& value) {
    if (RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD(value.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("Failed to set data for '" + name + "'");
}

bool TRegistryKey::DeleteValue(const std::string& name) {
    LONG result = RegDeleteValueA(key_.Get(), name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// RegDeleteKey removes only a key without subkeys on every Windows version: empty it first.
bool TRegistryKey::IsEmpty() const {
    DWORD subKeys = 0, values = 0;
    return RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys == 0 && values == 0;
}

bool TRegistryKey::DeleteKeyTree(const std::string& subKey) {
    if (std::optional<TRegistryKey> child = Open(key_.Get(), subKey)) {
        char name[256];
        for (;;) {
            DWORD length = sizeof(name);
            if (RegEnumKeyExA(child->Handle(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (!child->DeleteKeyTree(name)) return false;
        }
    }
    LONG result = RegDeleteKeyA(key_.Get(), subKey.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::string TIniSections::ReadString(const std::string& section, const std::string& name,
                                     const std::string& fallback) const {
    std::optional<TRegistryKey> key = TRegistryKey::Open(key_.Handle(), section);
    if (!key) return fallback;
    return key->ReadString(name).value_or(fallback);
}

int TIniSections::ReadInteger(const std::string& section, const std::string& name, int fallback) const {
    return ParseWholeNumber(ReadString(section, name, "")).value_or(fallback);
}

bool TIniSections::ReadBool(const std::string& section, const std::string& name, bool fallback) const {
    std::optional<int> value = ParseWholeNumber(ReadString(section, name, ""));
    return value ? *value != 0 : fallback;
}

void TIniSections::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    TRegistryKey key = TRegistryKey::Create(key_.Handle(), section);
    key.WriteString(name, value);
}

void TIniSections::WriteInteger(const std::string& section, const std::string& name, int value) {
    WriteString(section, name, std::to_string(value));
}

void TIniSections::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteString(section, name, SwitchText(value));
}
