// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/TrimToLastDigit.h"

namespace tolvanor {

std::string TrimToLastDigit(std::string_view text) {
    const auto lastDigit = text.find_last_of("0123456789");
    if (lastDigit == std::string_view::npos) return "Error";
    return std::string(text.substr(0, lastDigit + 1));
}

} // namespace tolvanor
