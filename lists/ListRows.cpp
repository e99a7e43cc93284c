#include "lists/ListRows.h"

#include <algorithm>
#include <stdexcept>

std::uint32_t ListRows::Intern(std::string text) {
    if (text.empty()) return 0;
    auto found = ids_.find(text);
    if (found != ids_.end()) return found->second;
    auto id = std::uint32_t(texts_.size());
    texts_.push_back(text);
    ids_.emplace(std::move(text), id);
    return id;
}

ListRows::Row ListRows::MakeRow(std::vector<std::string> cells) {
    if (cells.size() > std::size_t(kMaxCells)) throw std::invalid_argument("A list row has at most three cells");
    Row row;
    row.cells = std::uint8_t(cells.size());
    std::string name = cells.empty() ? std::string() : std::move(cells[0]);
    if (unused_.empty()) {
        row.name = std::uint32_t(names_.size());
        names_.push_back(std::move(name));
    } else {
        row.name = unused_.back();
        unused_.pop_back();
        names_[row.name] = std::move(name);
    }
    for (std::size_t column = 1; column < cells.size(); ++column)
        row.others[column - 1] = Intern(std::move(cells[column]));
    return row;
}

void ListRows::Insert(std::size_t at, const std::vector<std::string>& cells) {
    Row row = MakeRow(cells);
    rows_.insert(rows_.begin() + std::ptrdiff_t(at < rows_.size() ? at : rows_.size()), std::move(row));
}

void ListRows::SetCell(std::size_t row, int column, const std::string& text) {
    if (row >= rows_.size() || column < 0 || column >= kMaxCells) return;
    Row& r = rows_[row];
    if (column == 0)
        names_[r.name] = text;
    else
        r.others[column - 1] = Intern(text);
    if (column >= r.cells) r.cells = std::uint8_t(column + 1);
}

void ListRows::Assign(std::vector<std::vector<std::string>> rows, const std::vector<std::size_t>& order) {
    Clear();
    rows_.reserve(order.size());
    names_.reserve(order.size());
    for (std::size_t index : order)
        rows_.push_back(MakeRow(std::move(rows.at(index))));
}

void ListRows::Erase(const std::vector<char>& erase) {
    for (std::size_t i = 0; i < rows_.size() && i < erase.size(); ++i) {
        if (!erase[i]) continue;
        std::string().swap(names_[rows_[i].name]);
        unused_.push_back(rows_[i].name);
    }
    EraseFlagged(rows_, erase);
}

void ListRows::Clear() {
    rows_.clear();
    names_.clear();
    unused_.clear();
    texts_.assign(1, std::string());
    ids_.clear();
}
