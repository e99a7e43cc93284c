#pragma once
// Sorting texts in the order the system compares them (lstrcmpA, or lstrcmpiA without regard to
// case): each text's sort key is made once, so many thousand texts sort fast.
#include <cstddef>
#include <string_view>
#include <vector>

// The positions of the texts in sorted order; equal texts keep their order.
std::vector<std::size_t> SortedOrder(const std::vector<std::string_view>& texts, bool ignoreCase);
