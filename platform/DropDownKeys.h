#pragma once
// Which row of a drop-down list a key moves to, apart from the window: the arrows, Page Up and
// Down, Home and End, and a typed character.
#include <string>
#include <vector>

enum class TDropDownKey { Up, Down, PageUp, PageDown, Home, End };

// The row the key moves to from `index` (-1: no row) in a list of `count` rows of which `page`
// show at a time; the row stays within the list. -1 when the list is empty.
int RowAfterKey(TDropDownKey key, int index, int count, int page);

// The next row after `index`, going round, whose text starts with the character (without regard
// to case); `index` itself when no other row does and it does, else -1.
int RowOfCharacter(const std::vector<std::string>& rows, int index, char character);
