// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

// The main window's choices a read depends on, taken when the read starts.
struct ReadOptions {
    std::string SourceFileName;       // the source file's path
    int DataType = 0;                 // list index of the data type, 0 to 6
    std::string AppendToProfile;      // text appended to every profile number read
    int ElevProcessing = 0;           // list index of the elevation adjustment, 0 to 5
    std::string ElevChange;           // its amount, e.g. "2.5" or "10%"
    bool MapElevation = false;        // "Map Elevation to DBT" (old 12-field job files)
    bool FormatProfileNumbers = true; // "Force profile numbers to 3 digits"
};

} // namespace tolvanor
