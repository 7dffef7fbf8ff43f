// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace tolvanor {

class Job;

// The line whose shot 1 carries exactly this profile number: the current
// line when it is in use and matches, else the first such line of
// 1..LineCount, else 0. Lines beyond LineCount are never matched.
std::int32_t FindLineByProfileId(const Job& job, std::string_view text) noexcept;

} // namespace tolvanor
