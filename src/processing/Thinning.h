// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace tolvanor {

class Job;

// Marks surplus shots of a line as ignored. Method "None", "Distance" or
// "Number to Ignore" (any letter case); the increment is the leading number
// of its text. Never deletes anything.
void ThinLine(Job& job, std::int32_t line, std::string_view method, std::string_view increment);

} // namespace tolvanor
