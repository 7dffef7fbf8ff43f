// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/PassBatch.h"

#include "editor/PassMemo.h"

#include <algorithm>
#include <mutex>

namespace tolvanor {

PassBatch::PassBatch(bool threaded) : worker_(threaded) {}

bool PassBatch::Holds(std::int32_t line) const noexcept {
    return std::any_of(entries_.begin(), entries_.end(), [line](const Entry& entry) { return entry.Line == line; });
}

void PassBatch::Run(const Job& job, int sortOrder) {
    next_ = 0;
    // The worker and this thread take lines in turn until none are left;
    // taking one by one evens out lines of different lengths.
    if (entries_.size() > 1) worker_.Start([this, &job, sortOrder] { PassFrom(job, sortOrder, passes_[1]); });
    PassFrom(job, sortOrder, passes_[0]);
    worker_.Wait();
}

void PassBatch::PassFrom(const Job& job, int sortOrder, GridPass& pass) {
    for (;;) {
        std::size_t at = 0;
        {
            std::lock_guard lock(taking_);
            if (next_ == entries_.size()) return;
            at = next_++;
        }
        auto& entry = entries_[at];
        entry.Changed = pass.Run(entry.Shots, sortOrder, entry.ProfileNumber) || entry.Changed;
        if (entry.Before) entry.After = LineFingerprint(job, entry.Line);
    }
}

} // namespace tolvanor
