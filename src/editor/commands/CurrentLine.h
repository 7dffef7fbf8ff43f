// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"
#include "editor/DataEditor.h"

#include <algorithm>

namespace tolvanor {

// The editor shows a line of the job (not none, not a spare line).
inline bool HasCurrentLine(const Job& job) noexcept {
    return job.CurrentLine >= 1 && job.CurrentLine <= std::min<std::int32_t>(job.LineCount, job.MaxLines);
}

// Commands that reach shot r through grid row r store the grid first: after
// a load in "None" order the rows follow the sequence numbers, which need not
// be the stored order (a title sort or pasted shots), and the flag or value
// would otherwise land on another shot than the row the user chose.
inline void AlignLineWithGrid(Job& job, DataEditor& editor) {
    editor.StoreGridLine(job.CurrentLine);
}

} // namespace tolvanor
