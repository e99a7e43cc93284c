#pragma once
// Keeps a registry key with everything below it, and puts it back as it was: for tests that
// change or remove a key of the prefix that is not the program's own (Control Panel\desktop).
#include "platform/Registry.h"

#include <windows.h>

#include <string>
#include <vector>

class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, const std::string& path) : root_(root), path_(path) { taken_ = Take(path_, tree_); }
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;
    ~RegistrySnapshot() { Restore(); }

    void Restore() {
        const auto cut = path_.find_last_of('\\');
        if (auto parent = TRegistryKey::Open(root_, path_.substr(0, cut))) parent->DeleteKeyTree(path_.substr(cut + 1));
        if (taken_) Put(path_, tree_);
    }

private:
    struct Value {
        std::string name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::vector<Value> values;
        std::vector<std::pair<std::string, Tree>> keys;
    };

    bool Take(const std::string& path, Tree& tree) {
        std::optional<TRegistryKey> key = TRegistryKey::Open(root_, path);
        if (!key) return false;
        for (DWORD i = 0;; ++i) {
            char name[16384];
            DWORD nameLength = sizeof(name), type = 0, size = 0;
            if (RegEnumValueA(key->Handle(), i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
                break;
            Value value{std::string(name, nameLength), type, std::vector<BYTE>(size)};
            nameLength = sizeof(name);
            RegEnumValueA(key->Handle(), i, name, &nameLength, nullptr, &type, value.data.data(), &size);
            tree.values.push_back(value);
        }
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD length = sizeof(name);
            if (RegEnumKeyExA(key->Handle(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            tree.keys.push_back({name, {}});
        }
        for (auto& [name, subtree] : tree.keys)
            Take(path + "\\" + name, subtree);
        return true;
    }

    void Put(const std::string& path, const Tree& tree) {
        TRegistryKey key = TRegistryKey::Create(root_, path);
        for (const Value& value : tree.values)
            RegSetValueExA(key.Handle(), value.name.c_str(), 0, value.type, value.data.data(),
                           DWORD(value.data.size()));
        for (const auto& [name, subtree] : tree.keys)
            Put(path + "\\" + name, subtree);
    }

    HKEY root_;
    std::string path_;
    Tree tree_;
    bool taken_ = false;
};
