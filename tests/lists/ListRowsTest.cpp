#include "lists/ListRows.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
std::vector<std::string> RowAt(const ListRows& rows, std::size_t row) {
    return {rows.Cell(row, 0), rows.Cell(row, 1), rows.Cell(row, 2)};
}
} // namespace

TEST(ListRows, CellsReadBackWhetherSharedOrNot) {
    ListRows rows;
    rows.Insert(0, {"b.jpg", "C:\\PICS", "Tiled"});
    rows.Insert(0, {"a.jpg", "C:\\PICS", "Centred"});
    rows.Insert(2, {"c.jpg", "D:\\OTHER", "Tiled"});
    rows.Insert(99, {"d.jpg"}); // past the end appends
    rows.Insert(1, {"", "", ""});
    ASSERT_EQ(rows.Size(), 5u);
    EXPECT_EQ(RowAt(rows, 0), (std::vector<std::string>{"a.jpg", "C:\\PICS", "Centred"}));
    EXPECT_EQ(RowAt(rows, 1), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(RowAt(rows, 2), (std::vector<std::string>{"b.jpg", "C:\\PICS", "Tiled"}));
    EXPECT_EQ(RowAt(rows, 3), (std::vector<std::string>{"c.jpg", "D:\\OTHER", "Tiled"}));
    EXPECT_EQ(RowAt(rows, 4), (std::vector<std::string>{"d.jpg", "", ""})) << "missing cells read empty";
    EXPECT_EQ(rows.Cell(5, 0), "") << "past the rows";
    EXPECT_EQ(rows.Cell(0, -1), "");
    EXPECT_EQ(rows.Cell(0, 3), "");
    EXPECT_THROW(rows.Insert(0, {"1", "2", "3", "4"}), std::invalid_argument);
    EXPECT_EQ(rows.Size(), 5u);
}

TEST(ListRows, SetCellChangesOneRowOnly) {
    ListRows rows;
    rows.Insert(0, {"a.jpg", "C:\\PICS", "Tiled"});
    rows.Insert(1, {"b.jpg", "C:\\PICS", "Tiled"});
    rows.Insert(2, {"c.jpg"});
    rows.SetCell(0, 2, "Mirror");
    rows.SetCell(2, 2, "Centred"); // a row without the cell gains it, the path stays empty
    rows.SetCell(7, 2, "Mirror");  // past the rows: nothing
    rows.SetCell(1, 3, "Mirror");  // past the cells a row may have: nothing
    EXPECT_EQ(RowAt(rows, 0), (std::vector<std::string>{"a.jpg", "C:\\PICS", "Mirror"}));
    EXPECT_EQ(RowAt(rows, 1), (std::vector<std::string>{"b.jpg", "C:\\PICS", "Tiled"})) << "the shared text stays";
    EXPECT_EQ(RowAt(rows, 2), (std::vector<std::string>{"c.jpg", "", "Centred"}));
    EXPECT_EQ(rows.Size(), 3u);
}

TEST(ListRows, AssignTakesTheGivenOrderAndForgetsOldTexts) {
    ListRows rows;
    rows.Insert(0, {"old.jpg", "C:\\OLD"});
    rows.Assign({{"x", "P1"}, {"y", "P2"}, {"z", "P1"}}, {2, 0, 1});
    ASSERT_EQ(rows.Size(), 3u);
    EXPECT_EQ(rows.Cell(0, 0), "z");
    EXPECT_EQ(rows.Cell(0, 1), "P1");
    EXPECT_EQ(rows.Cell(1, 0), "x");
    EXPECT_EQ(rows.Cell(2, 1), "P2");
    rows.Insert(3, {"w", "C:\\OLD"});
    EXPECT_EQ(rows.Cell(3, 1), "C:\\OLD");
    EXPECT_THROW(rows.Assign({{"a"}}, {1}), std::out_of_range);
}

TEST(ListRows, EraseKeepsTheOrderOfTheRest) {
    ListRows rows;
    for (const char* name : {"a", "b", "c", "d", "e"})
        rows.Insert(rows.Size(), {name, std::string("P") + name});
    rows.Erase({1, 0, 1, 1}); // e has no flag and stays
    ASSERT_EQ(rows.Size(), 2u);
    EXPECT_EQ(RowAt(rows, 0), (std::vector<std::string>{"b", "Pb", ""}));
    EXPECT_EQ(RowAt(rows, 1), (std::vector<std::string>{"e", "Pe", ""}));
    // New rows take the places the removed ones left, and the rows there keep their texts.
    rows.Insert(1, {"f", "Pf"});
    rows.Insert(0, {"g"});
    rows.Insert(4, {"h", "Pb"});
    rows.Insert(0, {"i"});
    std::vector<std::string> names;
    for (std::size_t row = 0; row < rows.Size(); ++row)
        names.push_back(rows.Cell(row, 0) + rows.Cell(row, 1));
    EXPECT_EQ(names, (std::vector<std::string>{"i", "g", "bPb", "fPf", "ePe", "hPb"}));

    std::vector<std::vector<int>> items = {{1}, {2, 3}};
    EraseFlagged(items, {0, 0});
    EXPECT_EQ(items, (std::vector<std::vector<int>>{{1}, {2, 3}})) << "a row is never moved onto itself";
    std::vector<std::string> texts = {"keep", "go"};
    EraseFlagged(texts, {0, 1});
    EXPECT_EQ(texts, std::vector<std::string>{"keep"});
}
