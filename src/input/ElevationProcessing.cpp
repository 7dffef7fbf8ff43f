// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ElevationProcessing.h"

#include "core/NumberParsing.h"

#include <cmath>

namespace tolvanor {

std::string_view ElevProcessingName(ElevProcessing processing) noexcept {
    switch (processing) {
    case ElevProcessing::None:
        return "None";
    case ElevProcessing::Add:
        return "Add to Elevation";
    case ElevProcessing::Subtract:
        return "Subract from Elevation";
    case ElevProcessing::ReverseSign:
        return "Reverse Sign";
    case ElevProcessing::ReverseSignThenAdd:
        return "Reverse Sign then Add to Elevation";
    case ElevProcessing::ReverseSignThenSubtract:
        return "Reverse Sign then Subtract from Elevation";
    }
    return {};
}

ElevChange ParseElevChange(std::string_view text) noexcept {
    return {LeadingNumberValue(text), !text.empty() && text.back() == '%'};
}

bool ApplyElevProcessing(int processing, const ElevChange& change, float& value) noexcept {
    const double v = value;
    // A percentage is always taken of the value as read, before any sign reversal.
    const double amount = change.Percent ? v * change.Amount / 100 : change.Amount;
    double result = v;
    switch (static_cast<ElevProcessing>(processing)) {
    case ElevProcessing::None:
        return true;
    case ElevProcessing::Add:
        result = v + amount;
        break;
    case ElevProcessing::Subtract:
        result = v - amount;
        break;
    case ElevProcessing::ReverseSign:
        result = -v;
        break;
    case ElevProcessing::ReverseSignThenAdd:
        result = -v + amount;
        break;
    case ElevProcessing::ReverseSignThenSubtract:
        result = -v - amount;
        break;
    default:
        return true;
    }
    const auto stored = static_cast<float>(result);
    if (!std::isfinite(stored)) return false;
    value = stored;
    return true;
}

} // namespace tolvanor
