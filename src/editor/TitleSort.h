// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;

// Sorting the line by a click on a column title: Easting, Northing, DR Dist.
// and Shot sort, ascending first and descending on a second click of the same
// title. The sorted title starts with "> " (ascending) or "< " (descending);
// the marker stays across line changes. The new row order becomes the line's
// stored order.
class TitleSort {
public:
    // The mouse was released over the title of `col`. False, and nothing
    // done, for columns that do not sort.
    bool Click(Job& job, DataEditor& editor, int col);

    // The column last sorted by a title click, -1 for none.
    int Column() const noexcept { return column_; }
    bool Descending() const noexcept { return descending_; }

    static bool SortsByTitle(int col) noexcept;

private:
    int column_ = -1;
    bool descending_ = false;
};

} // namespace tolvanor
