#pragma once
// Sorting texts in the order the system compares them (lstrcmpA, or lstrcmpiA without regard to
// case): each text's sort key is made once, so many thousand texts sort fast.
#include "lists/ListRows.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The positions of the texts in sorted order; equal texts keep their order.
std::vector<std::size_t> SortedOrder(const std::vector<std::string_view>& texts, bool ignoreCase);

// Where a row whose first cell is `key` goes among rows sorted by their first cell: after every row
// whose first cell is not greater (lstrcmpA).
std::size_t SortedPosition(const ListRows& rows, const std::string& key);
// Replaces all rows by `cells`, sorted by their first cell as SortedPosition places them one by one.
void AssignSorted(ListRows& rows, std::vector<std::vector<std::string>> cells);
