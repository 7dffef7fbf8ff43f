// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SurveyData.h"

#include <cstdint>
#include <memory_resource>
#include <string>

namespace tolvanor {

class Prompter;

// The one job being worked on: the survey table and its globals.
class Job {
public:
    static constexpr std::int16_t DefaultMaxLines = 1000;
    static constexpr std::int16_t DefaultMaxShots = 3000;
    // Line MaxLines + 3 holds the editor's undo copy of a line.
    std::int32_t UndoLine() const noexcept { return MaxLines + 3; }

    // Table rows take their memory from `rowMemory` (see SurveyData), which
    // must outlive the job and every copy of it.
    explicit Job(std::int16_t maxLines = DefaultMaxLines, std::int16_t maxShots = DefaultMaxShots,
                 std::pmr::memory_resource* rowMemory = std::pmr::get_default_resource());

    // "New File": every record cleared, no lines, line 1 current.
    void NewFile();

    void BeginLoading() noexcept { ++LoadingCount; }
    // Reports through the prompter when the counter drops below 0.
    void EndLoading(Prompter& prompter);

    // Shots of a line (its header's ShotCount).
    std::int32_t ShotCount(std::int32_t line) const noexcept { return Data.Header(line).ShotCount(); }
    // The name of a line: the profile number of its shot 1.
    std::string_view LineName(std::int32_t line) const noexcept { return Data.At(line, 1).ProfileNumber(); }

    std::int16_t MaxLines; // set once, at construction
    std::int16_t MaxShots;
    SurveyData Data;
    std::int32_t LineCount = 0;
    std::int32_t CurrentLine = 1;
    bool DataChanged = false;
    std::int16_t LoadingCount = 0;
    std::string LineLimitProfile;
    std::string ShotLimitProfile;
};

} // namespace tolvanor
