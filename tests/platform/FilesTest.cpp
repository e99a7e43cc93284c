// Reading and replacing files under Wine, in a fresh folder.
#include "platform/Files.h"
#include "platform/Handles.h"
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {
class Files : public testing::Test {
protected:
    void SetUp() override { root = MakeTestFolder("vsf") + "\\"; }
    void TearDown() override {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((root + "*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((root + data.cFileName).c_str());
            while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(root.c_str());
    }
    std::string Contents(const std::string& name) {
        std::ifstream file(root + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    int FileCount() {
        int count = 0;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((root + "*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return 0;
        do
            count += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (FindNextFileA(find, &data));
        FindClose(find);
        return count;
    }
    std::string root;
};
} // namespace

TEST_F(Files, ReplacingWritesEveryByteAndLeavesNoTemporaryFile) {
    std::string bytes("[START]\r\n\r\n[WAIT]\r\n\x1A\0end", 24);
    ASSERT_TRUE(ReplaceFileContents(root + "QZDATA.QZD", bytes).Ok());
    EXPECT_EQ(Contents("QZDATA.QZD"), bytes);
    ASSERT_TRUE(ReplaceFileContents(root + "QZDATA.QZD", "new").Ok());
    EXPECT_EQ(Contents("QZDATA.QZD"), "new");
    EXPECT_EQ(FileCount(), 1);
    std::vector<std::uint8_t> read;
    ASSERT_TRUE(ReadWholeFile(root + "QZDATA.QZD", read));
    EXPECT_EQ(std::string(read.begin(), read.end()), "new");
    EXPECT_FALSE(ReadWholeFile(root + "missing.qzd", read));
}

TEST_F(Files, AFailureLeavesTheOldFileAsItWas) {
    ASSERT_TRUE(ReplaceFileContents(root + "QZDATA.QZD", "old lists").Ok());
    // The target's place is taken by a folder: the new file cannot take it.
    CreateDirectoryA((root + "BUSY.QZD").c_str(), nullptr);
    ReplaceResult result = ReplaceFileContents(root + "BUSY.QZD", "new lists");
    EXPECT_FALSE(result.Ok());
    EXPECT_NE(result.error, 0ul);
    RemoveDirectoryA((root + "BUSY.QZD").c_str());
    EXPECT_EQ(Contents("QZDATA.QZD"), "old lists");
    EXPECT_EQ(FileCount(), 1) << "no temporary file is left behind";

    result = ReplaceFileContents(root + "no such folder\\QZDATA.QZD", "x");
    EXPECT_EQ(result.stage, ReplaceResult::Creating);
}

TEST_F(Files, AProtectedOldFileRefusesTheReplaceWithTheSystemsCode) {
    const std::string path = root + "QZDATA.QZD";
    ASSERT_TRUE(ReplaceFileContents(path, "old lists").Ok());

    // Read-only: refused as the system refuses writing it (not enforced by every file system).
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ReplaceResult result = ReplaceFileContents(path, "new lists");
    EXPECT_EQ(result.stage, ReplaceResult::Creating);
    EXPECT_EQ(result.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Contents("QZDATA.QZD"), "old lists");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Held open by another program that shares no writing.
    {
        UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        result = ReplaceFileContents(path, "new lists");
        EXPECT_EQ(result.stage, ReplaceResult::Creating);
        EXPECT_EQ(result.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(Contents("QZDATA.QZD"), "old lists");

    // Held by a program that shares reading and writing but not deleting: the new file is written
    // whole and only its move over the old one fails, at Creating; the new file goes again. The
    // same for a copy made whole.
    {
        UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        result = ReplaceFileContents(path, "new lists");
        EXPECT_EQ(result.stage, ReplaceResult::Creating);
        EXPECT_NE(CopyFileWhole(path, path), 0u);
        EXPECT_EQ(FileCount(), 1) << "the new file is gone while the old one is held";
    }
    EXPECT_EQ(Contents("QZDATA.QZD"), "old lists");

    // A folder in the file's place.
    CreateDirectoryA((root + "FOLDER.QZD").c_str(), nullptr);
    result = ReplaceFileContents(root + "FOLDER.QZD", "new lists");
    EXPECT_EQ(result.stage, ReplaceResult::Creating);
    EXPECT_EQ(result.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    RemoveDirectoryA((root + "FOLDER.QZD").c_str());
    EXPECT_EQ(FileCount(), 1) << "no temporary file is left behind";
}

TEST_F(Files, TheNewFileKeepsTheOldFilesHiddenAttribute) {
    const std::string path = root + "QZDATA.QZD";
    ASSERT_TRUE(ReplaceFileContents(path, "old lists").Ok());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(ReplaceFileContents(path, "new lists").Ok());
    EXPECT_EQ(Contents("QZDATA.QZD"), "new lists");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Files, AComposedReplaceWritesEveryPieceAcrossTheChunks) {
    const std::string path = root + "QZDATA.QZD";
    ASSERT_TRUE(ReplaceFileContents(path, "old lists").Ok());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::string expected;
    ReplaceResult result = ReplaceFileContents(path, [&](TextSink& file) {
        for (int i = 0; i < 20000; ++i) {
            const std::string piece = std::to_string(i) + std::string(std::size_t(i % 97), 'x') + "\r\n";
            file.Append(piece);
            expected += piece;
        }
    });
    ASSERT_TRUE(result.Ok());
    ASSERT_GT(expected.size(), 3 * TextSink::kChunkBytes);
    EXPECT_EQ(Contents("QZDATA.QZD"), expected);
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileCount(), 1) << "no temporary file is left behind";

    ASSERT_TRUE(ReplaceFileContents(path, [](TextSink&) {}).Ok());
    EXPECT_EQ(Contents("QZDATA.QZD"), "") << "nothing composed, an empty file";
}

TEST_F(Files, AComposedReplaceThatCannotStartComposesNothing) {
    const std::string path = root + "QZDATA.QZD";
    ASSERT_TRUE(ReplaceFileContents(path, "old lists").Ok());
    int composed = 0;
    auto compose = [&](TextSink& file) {
        ++composed;
        file.Append("new lists");
    };
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ReplaceResult result = ReplaceFileContents(path, compose);
    EXPECT_EQ(result.stage, ReplaceResult::Creating);
    EXPECT_EQ(result.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        result = ReplaceFileContents(path, compose);
        EXPECT_EQ(result.stage, ReplaceResult::Creating);
        EXPECT_EQ(result.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(ReplaceFileContents(root + "no such folder\\QZDATA.QZD", compose).stage, ReplaceResult::Creating);
    EXPECT_EQ(composed, 0);
    EXPECT_EQ(Contents("QZDATA.QZD"), "old lists");
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(Files, AFailedCompositionLeavesTheOldFileAndNoTemporaryFile) {
    const std::string path = root + "QZDATA.QZD";
    ASSERT_TRUE(ReplaceFileContents(path, "old lists").Ok());
    EXPECT_THROW(ReplaceFileContents(path,
                                     [](TextSink& file) {
                                         file.Append(std::string(2 * TextSink::kChunkBytes + 5, 'x'));
                                         file.Append("more");
                                         throw std::runtime_error("out of memory");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(Contents("QZDATA.QZD"), "old lists");
    EXPECT_EQ(FileCount(), 1) << "the partly written new file is removed";
}
