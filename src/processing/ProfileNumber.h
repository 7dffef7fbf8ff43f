// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

// With the three-digit option on, "5" -> "005", "12+50" -> "012+50",
// "-3" -> "-03", "12a" -> "12A"; off, the text comes back unchanged.
std::string FormatProfileNumber(std::string_view text, bool threeDigits);

// The integer inside a profile number: "PRO 12 BD" -> 12, "L-7" -> -7,
// clamped to the 16-bit range.
std::int16_t ExtractInteger(std::string_view text);

} // namespace tolvanor
