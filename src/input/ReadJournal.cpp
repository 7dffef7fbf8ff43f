// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ReadJournal.h"

#include "core/Job.h"

#include <algorithm>

namespace tolvanor {

namespace {
bool TableIsEmpty(const SurveyData& data) {
    for (std::int32_t line = 0; line <= data.LineBound(); ++line) {
        if (data.StoredCount(line) > 0) return false;
    }
    return true;
}
} // namespace

ReadJournal::ReadJournal(Job& job)
    : job_(job), startedEmpty_(TableIsEmpty(job.Data)), lineCount_(job.LineCount), currentLine_(job.CurrentLine),
      lineLimitProfile_(job.LineLimitProfile), shotLimitProfile_(job.ShotLimitProfile) {
    if (!startedEmpty_) {
        const auto lines = static_cast<std::size_t>(job.Data.LineBound()) + 1;
        headerSaved_.assign(lines, 0);
        sizeSaved_.assign(lines, 0);
    }
}

void ReadJournal::BeforeWrite(std::int32_t line, std::int32_t shot) {
    if (startedEmpty_) return;
    const auto index = static_cast<std::size_t>(line);
    const std::int32_t stored = job_.Data.StoredCount(line);
    if (shot >= stored) {
        // The record was never written: remember the size once, so the
        // records past it can be emptied again.
        if (!sizeSaved_[index]) {
            entries_.push_back({Entry::Kind::Grown, line, stored, {}});
            sizeSaved_[index] = 1;
        }
        return;
    }
    if (shot == 0) {
        // Headers are rewritten with every shot added: save each one once.
        if (headerSaved_[index]) return;
        headerSaved_[index] = 1;
    }
    SaveRecord(line, shot);
}

void ReadJournal::SaveRecord(std::int32_t line, std::int32_t shot) {
    entries_.push_back({Entry::Kind::Record, line, shot, job_.Data.At(line, shot)});
}

void ReadJournal::LineInserted(std::int32_t at, std::int32_t lineCountBefore) {
    if (startedEmpty_) return;
    entries_.push_back({Entry::Kind::Inserted, at, lineCountBefore, {}});
    // Lines have moved: what was saved for a table position no longer
    // describes the line now standing there.
    std::fill(headerSaved_.begin(), headerSaved_.end(), 0);
    std::fill(sizeSaved_.begin(), sizeSaved_.end(), 0);
}

void ReadJournal::Restore() {
    if (startedEmpty_) {
        job_.Data.Clear();
    } else {
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
            switch (entry->What) {
            case Entry::Kind::Record:
                job_.Data.Edit(entry->Line, entry->Value) = entry->Saved;
                break;
            case Entry::Kind::Grown:
                for (std::int32_t shot = entry->Value; shot < job_.Data.StoredCount(entry->Line); ++shot) {
                    job_.Data.Edit(entry->Line, shot).Clear();
                }
                break;
            case Entry::Kind::Inserted:
                // The inserted line goes back behind the lines it pushed down.
                for (std::int32_t line = entry->Line; line <= entry->Value; ++line) {
                    job_.Data.SwapLines(line, line + 1);
                }
                break;
            }
        }
        entries_.clear();
    }
    job_.LineCount = lineCount_;
    job_.CurrentLine = currentLine_;
    job_.LineLimitProfile = lineLimitProfile_;
    job_.ShotLimitProfile = shotLimitProfile_;
}

} // namespace tolvanor
