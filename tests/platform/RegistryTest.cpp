// The registry layer against Wine's real registry, in a key of the test's own.
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {
const char* const kTestRoot = "Software\\VistrelTests";

class Registry : public testing::Test {
protected:
    void SetUp() override { path = std::string(kTestRoot) + "\\Settings"; }
    void TearDown() override {
        TRegistryKey software = TRegistryKey::Create(HKEY_CURRENT_USER, "Software");
        EXPECT_TRUE(software.DeleteKeyTree("VistrelTests"));
        EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kTestRoot)) << "the whole tree is gone";
    }

    // Writes a raw string value, as another program or an older version might have left it.
    void Plant(const std::string& section, const std::string& name, const std::string& value) {
        TRegistryKey::Create(HKEY_CURRENT_USER, path + "\\" + section).WriteString(name, value);
    }

    std::string path;
};
} // namespace

TEST_F(Registry, SectionsAreSubkeysAndEveryValueIsAString) {
    TIniSections settings(HKEY_CURRENT_USER, path);
    settings.WriteInteger("Vistrel Selector", "PreviewShow", 20);
    settings.WriteBool("Vistrel Selector", "Report Add Errors", false);
    settings.WriteString("Vistrel Selector", "StartDir", "C:\\PICS");

    std::optional<TRegistryKey> section = TRegistryKey::Open(HKEY_CURRENT_USER, path + "\\Vistrel Selector");
    ASSERT_TRUE(section);
    DWORD type = 0;
    RegQueryValueExA(section->Handle(), "PreviewShow", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(section->ReadString("PreviewShow"), "20");
    EXPECT_EQ(section->ReadString("Report Add Errors"), "0");
    EXPECT_EQ(settings.ReadString("Vistrel Selector", "StartDir", ""), "C:\\PICS");
}

TEST_F(Registry, ReadingFallsBackOnMissingOrOddValues) {
    TIniSections settings(HKEY_CURRENT_USER, path);
    EXPECT_EQ(settings.ReadInteger("Vistrel Selector", "PreviewShow", 30), 30) << "missing section";
    Plant("Vistrel Selector", "PreviewShow", "abc");
    Plant("Vistrel Selector", "Mode", "15");
    Plant("Vistrel Selector", "Two", "2");
    Plant("Vistrel Selector", "Zero", "0");
    Plant("Vistrel Selector", "Word", "yes");
    EXPECT_EQ(settings.ReadInteger("Vistrel Selector", "PreviewShow", 30), 30);
    EXPECT_EQ(settings.ReadInteger("Vistrel Selector", "Mode", 30), 15);
    EXPECT_TRUE(settings.ReadBool("Vistrel Selector", "Two", false)) << "any other whole number is on";
    EXPECT_FALSE(settings.ReadBool("Vistrel Selector", "Zero", true));
    EXPECT_TRUE(settings.ReadBool("Vistrel Selector", "Word", true)) << "not a number: the fallback";
    EXPECT_FALSE(settings.ReadBool("Vistrel Selector", "Missing", false));
    EXPECT_EQ(settings.ReadString("Vistrel Selector", "Missing", "fallback"), "fallback");
}

TEST_F(Registry, ValuesAndKeysAreDeleted) {
    TRegistryKey key = TRegistryKey::Create(HKEY_CURRENT_USER, path);
    key.WriteString("Vistrel", "C:\\QZRandom.exe");
    EXPECT_TRUE(key.DeleteValue("Vistrel"));
    EXPECT_FALSE(key.ReadString("Vistrel"));
    EXPECT_TRUE(key.DeleteValue("Vistrel")) << "a missing value counts as deleted";
    TRegistryKey::Create(HKEY_CURRENT_USER, path + "\\A\\B\\C").WriteString("x", "y");
    EXPECT_TRUE(key.DeleteKeyTree("A"));
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, path + "\\A"));
    EXPECT_TRUE(key.DeleteKeyTree("A")) << "a missing key counts as deleted";
}

TEST_F(Registry, FailureToCreateAKeyNamesIt) {
    HKEY noRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7654321));
    try {
        TRegistryKey::Create(noRoot, "Software\\Orvandel\\Vistrel");
        ADD_FAILURE() << "a key under an invalid root was created";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Failed to create key Software\\Orvandel\\Vistrel");
    }
    EXPECT_FALSE(TRegistryKey::Open(noRoot, "Software"));
}
