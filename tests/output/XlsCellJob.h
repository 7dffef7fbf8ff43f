// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OutputTestSupport.h"

#include <string>
#include <vector>

namespace tolvanor::testing {

// Two lines with ignored, small, negative, rounded and cut values.
inline void FillCellJob(Job& job) {
    AddLine(job, "12",
            {{402511.375, 161833.0, 2.46f, 12.345f},
             {1.0, 2.0, -0.04f, 123.4567f},
             {5.0, 6.0, 7.0f, 8.0f, "", true},
             {402515.123456789, 161838.987654321, 1234.56f, -30.0f}});
    AddLine(job, "13",
            {{3.0, 4.0, 5.0f, 6.0f},
             {12345678901.123456, -0.000004, 0.0f, 1234567.0f},
             {100.0, 0.5, -12.25f, 12345678.0f}});
}

struct Expected {
    std::string Profile;
    double Distance, Elevation, Northing, Easting;
};

// Row by row, the values a reader must find (row 1 holds the headers).
inline const std::vector<Expected> CellJobRows{
    {"12 ", 12.345, 2.5, 161833, 402511.375},
    {"12 ", 3.4567, 0, 2, 1}, // "123.4567" keeps its last 6 characters
    {"12 ", -30, 1234.6, 161838.98765, 402515.12346},
    {"13 ", 6, 5, 4, 3},
    {"13 ", 234567, 0, 0, 45678901.1235}, // "12345678901.12350" keeps 14
    {"13 ", 680000000, -12.3, 0.5, 100},  // "1.234568E+07" keeps "68E+07"
};

} // namespace tolvanor::testing
