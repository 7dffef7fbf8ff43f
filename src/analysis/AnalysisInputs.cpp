// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AnalysisInputs.h"

#include "core/NumberParsing.h"
#include "core/Text.h"

namespace tolvanor {

namespace {

bool ReadLimit(const std::string& text, double& limit) {
    if (TrimBlanks(text).empty()) return true; // the default, an open end
    return StrictToDouble(text, limit) == ConversionStatus::Ok;
}

bool ReadContours(const std::string& list, std::vector<double>& contours) {
    for (const std::string_view item : SplitFields(list, ',')) {
        if (TrimBlanks(item).empty()) continue;
        double level = 0;
        if (StrictToDouble(item, level) != ConversionStatus::Ok) return false;
        contours.push_back(level);
    }
    return true;
}

} // namespace

ParsedAnalysisInputs ParseAnalysisInputs(const AnalysisInputs& inputs) {
    ParsedAnalysisInputs parsed;
    AnalysisOptions& options = parsed.Options;
    if (StrictToDouble(inputs.Datum, options.Datum) != ConversionStatus::Ok) {
        parsed.Message = DatumMessage;
    } else if (!ReadLimit(inputs.From, options.From) || !ReadLimit(inputs.To, options.To)) {
        parsed.Message = LimitsMessage;
    } else if (!ReadContours(inputs.Contours, options.Contours)) {
        parsed.Message = ContoursMessage;
    } else {
        parsed.Ok = true;
    }
    return parsed;
}

} // namespace tolvanor
