#include "lists/FolderNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(FolderNames, NamesAndAttributesReadBackAfterTheBufferGrew) {
    FolderNames names;
    for (int i = 0; i < 5000; ++i)
        names.Add("picture" + std::to_string(i) + (i % 3 ? ".bmp" : ".jpeg"), static_cast<unsigned long>(i));
    names.Add("", 7);
    ASSERT_EQ(names.Size(), 5001u);
    for (std::size_t i : {std::size_t(0), std::size_t(1), std::size_t(2999), std::size_t(4999)}) {
        SCOPED_TRACE(i);
        const std::string expected = "picture" + std::to_string(i) + (i % 3 ? ".bmp" : ".jpeg");
        EXPECT_EQ(names.Name(i), expected);
        EXPECT_STREQ(names.CName(i), expected.c_str()) << "ended by a null character";
        EXPECT_EQ(names.Attributes(i), i);
    }
    EXPECT_EQ(names.Name(5000), "");
    EXPECT_EQ(names.Attributes(5000), 7u);
    names.Clear();
    EXPECT_EQ(names.Size(), 0u);
    names.Add("after.bmp");
    EXPECT_EQ(names.Name(0), "after.bmp");
    EXPECT_EQ(names.Attributes(0), 0u);
}
