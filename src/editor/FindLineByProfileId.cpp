// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/FindLineByProfileId.h"

#include "core/Job.h"

#include <algorithm>

namespace tolvanor {

std::int32_t FindLineByProfileId(const Job& job, std::string_view text) noexcept {
    const auto lastLine = std::min(job.LineCount, job.Data.LineBound());
    const auto current = job.CurrentLine;
    if (current >= 1 && current <= lastLine && job.LineName(current) == text) return current;
    for (std::int32_t line = 1; line <= lastLine; ++line) {
        if (job.LineName(line) == text) return line;
    }
    return 0;
}

} // namespace tolvanor
