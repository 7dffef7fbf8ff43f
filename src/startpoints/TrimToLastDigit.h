// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

// The profile key by which starting points and templates find their lines:
// the text up to and including its last digit ("12A" -> "12", "12+50" stays),
// or "Error" when it has no digit.
std::string TrimToLastDigit(std::string_view text);

} // namespace tolvanor
