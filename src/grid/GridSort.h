// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grid/GridModel.h"

#include <span>
#include <string_view>
#include <vector>

namespace tolvanor {

// The stable order of `keys` under a grid sort order: result[i] is the index
// of the key that goes to position i. Equal keys keep their order, in the
// descending orders too.
std::vector<int> GridSortPermutation(std::span<const std::string_view> keys, GridSortOrder order);
// The same for keys that are all numbers, given as the values the
// numeric orders read from their texts (a generic order then sorts by value
// too). The text order leaves them as they are.
std::vector<int> GridSortPermutation(std::span<const double> values, GridSortOrder order);

// The comparisons behind the orders, exposed for the view's column sorting.
// Generic: texts that are numbers (blanks around allowed) come first, by
// value; other texts follow, byte by byte.
bool GenericLess(std::string_view a, std::string_view b) noexcept;
// Upper-cased ASCII letters, then bytes.
bool TextLessNoCase(std::string_view a, std::string_view b) noexcept;

} // namespace tolvanor
