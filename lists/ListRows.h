#pragma once
// The entries of a list, as rows of cells. A row's first cell is its own text; its other cells are
// kept once each in a table of texts, since the entries of a list share few folders and styles.
// Rows are small and side by side, so 100,000 of them load, shift and save fast and take little
// memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Keeps the items whose erase flag is not set, in their order; items past the flags stay.
template <typename Item> void EraseFlagged(std::vector<Item>& items, const std::vector<char>& erase) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i < erase.size() && erase[i]) continue;
        if (kept != i) items[kept] = std::move(items[i]);
        ++kept;
    }
    items.resize(kept);
}

class ListRows {
public:
    static constexpr int kMaxCells = 3;

    std::size_t Size() const { return rows_.size(); }
    // The cell's text; empty for a cell the row does not have.
    const std::string& Cell(std::size_t row, int column) const {
        if (row >= rows_.size() || column < 0) return kNoText;
        const Row& r = rows_[row];
        if (column >= r.cells) return kNoText;
        return column == 0 ? names_[r.name] : texts_[r.others[column - 1]];
    }
    // Inserts a row of at most kMaxCells cells before the row at `at` (Size() appends).
    void Insert(std::size_t at, const std::vector<std::string>& cells);
    // Sets a cell's text; a row gains the cells up to it. Rows past the end are left alone.
    void SetCell(std::size_t row, int column, const std::string& text);
    // Replaces all rows by rows[order[0]], rows[order[1]], ...
    void Assign(std::vector<std::vector<std::string>> rows, const std::vector<std::size_t>& order);
    // Removes the rows whose flag is set.
    void Erase(const std::vector<char>& erase);
    void Clear();

private:
    static inline const std::string kNoText;
    // Rows are plain numbers, so making room for a row in the middle is one block move.
    struct Row {
        std::uint32_t name = 0;                   // slot of the first cell in names_
        std::uint32_t others[kMaxCells - 1] = {}; // texts_ of the other cells
        std::uint8_t cells = 0;
    };
    Row MakeRow(std::vector<std::string> cells);
    std::uint32_t Intern(std::string text);

    std::vector<Row> rows_;
    std::vector<std::string> names_;                // first cells, in slots that never move
    std::vector<std::uint32_t> unused_;             // slots of removed rows, for reuse
    std::vector<std::string> texts_{std::string()}; // text 0 is the empty text
    std::unordered_map<std::string, std::uint32_t> ids_;
};
