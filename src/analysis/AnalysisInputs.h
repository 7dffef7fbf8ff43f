// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisOptions.h"

#include <string>

namespace tolvanor {

// The analysis window's boxes as typed. Numbers are read as everywhere in
// the program ("." point, whatever the locale).
struct AnalysisInputs {
    std::string Datum;        // required
    std::string From;         // empty: from the profile's start
    std::string To;           // empty: to the profile's end
    std::string Contours;     // comma-separated; empty items are left out
    std::string TemplateFile; // empty: no comparison
};

struct ParsedAnalysisInputs {
    bool Ok = false;
    std::string Message;     // what to tell the user when not Ok
    AnalysisOptions Options; // its Templates stay null: the caller reads the file
};

inline constexpr const char* DatumMessage = "The datum must be a number.";
inline constexpr const char* LimitsMessage = "The limits must be distances, or empty for the whole profile.";
inline constexpr const char* ContoursMessage = "The contours must be elevations separated by commas.";

ParsedAnalysisInputs ParseAnalysisInputs(const AnalysisInputs& inputs);

} // namespace tolvanor
