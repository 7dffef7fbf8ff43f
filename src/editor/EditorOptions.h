// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

// The main window's choices the editor reads (kept current by the main
// window, set once by the batch command).
struct EditorOptions {
    // Index of the sort-order list: 0 "None - Keep Input Order",
    // 1 "By Northing/Descending (LI)", 2 "By Easting/Ascending (NJ)",
    // 3 "By Northing/Ascending", 4 "By Easting/Descending",
    // 5 "By Shot Type (B,L,W)", 6 "By Distance DownRange".
    int SortOrder = 0;
    // "Force profile numbers to 3 digits".
    bool FormatProfileNumbers = true;
    // The starting-point file box; empty or missing means nothing to merge.
    std::string StartingPointFile;
};

} // namespace tolvanor
