#pragma once
// The order of many byte-string keys (sort keys of names), without a comparison of whole keys at
// every step: the keys of a folder share long beginnings ("IMG_0...", "picture0..."), and a
// byte-wise sort reads each shared byte once per group instead of once per comparison.
#include <cstddef>
#include <string>
#include <vector>

// Key i is keys[starts[i], starts[i + 1]); starts holds one more offset than there are keys.
// The positions of the keys in order: byte by byte as unsigned values, a key before every longer
// key it begins; equal keys keep their order.
std::vector<std::size_t> OrderOfKeys(const std::string& keys, const std::vector<std::size_t>& starts);
