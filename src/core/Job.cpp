// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Job.h"

#include "core/Prompter.h"

namespace tolvanor {

Job::Job(std::int16_t maxLines, std::int16_t maxShots, std::pmr::memory_resource* rowMemory)
    : MaxLines(maxLines), MaxShots(maxShots), Data(maxLines, maxShots, rowMemory) {}

void Job::NewFile() {
    Data.Clear();
    LineCount = 0;
    CurrentLine = 1;
}

void Job::EndLoading(Prompter& prompter) {
    --LoadingCount;
    if (LoadingCount < 0) prompter.Message("LoadingCount decremented below 0");
}

} // namespace tolvanor
