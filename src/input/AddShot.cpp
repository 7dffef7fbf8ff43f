// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/AddShot.h"

#include "core/Job.h"
#include "input/ReadJournal.h"
#include "processing/LineGeometry.h"

namespace tolvanor {

namespace {
bool LinesInOrder(const Job& job) {
    for (std::int32_t line = 2; line <= job.LineCount; ++line) {
        if (job.LineName(line) < job.LineName(line - 1)) return false;
    }
    return true;
}
} // namespace

AddShotResult AddShot(Job& job, const ShotRecord& record) {
    return ShotStore(job, nullptr).Add(record);
}

ShotStore::ShotStore(Job& job, ReadJournal* journal)
    : job_(job), journal_(journal), ordered_(journal != nullptr && LinesInOrder(job)) {}

AddShotResult ShotStore::Add(const ShotRecord& record) {
    job_.LineLimitProfile.clear();
    job_.ShotLimitProfile.clear();
    const auto name = record.ProfileNumber();
    if (job_.LineCount <= 0) return StartLine(1, record);

    // Shots of one profile usually come together: try the last line first.
    const std::int32_t current = job_.CurrentLine;
    if (lastLine_ >= 1 && current == lastLine_ && current <= job_.LineCount && name == lastName_) {
        return AppendTo(current, record);
    }
    if (current >= 1 && current <= job_.LineCount && job_.LineName(current) == name) {
        Remember(current, name);
        return AppendTo(current, record);
    }
    const std::int32_t line = FindLine(name);
    if (line <= job_.LineCount && job_.LineName(line) == name) {
        Remember(line, name);
        return AppendTo(line, record);
    }
    return StartLine(line, record);
}

// The first line whose name is not below `profileNumber`, or LineCount + 1.
std::int32_t ShotStore::FindLine(std::string_view profileNumber) const {
    if (!ordered_) {
        std::int32_t line = 1;
        while (line <= job_.LineCount && job_.LineName(line) < profileNumber) ++line;
        return line;
    }
    std::int32_t low = 1;
    std::int32_t high = job_.LineCount + 1;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (job_.LineName(middle) < profileNumber) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// Called with a line in use whose name is `name`.
void ShotStore::Remember(std::int32_t line, std::string_view name) {
    if (line == lastLine_ && name == lastName_) return;
    lastLine_ = line;
    lastName_ = name;
    lastHasStart_ = HasStartingPoint(job_, line);
}

// Called for the line last remembered.
AddShotResult ShotStore::AppendTo(std::int32_t line, const ShotRecord& record) {
    job_.CurrentLine = line;
    const std::int32_t count = job_.ShotCount(line);
    if (count >= job_.MaxShots - 1) {
        job_.ShotLimitProfile = std::string(job_.LineName(line));
        return AddShotResult::LineFull;
    }
    Write(line, count + 1, record);
    if (journal_ != nullptr) journal_->BeforeWrite(line, 0);
    job_.Data.EditHeader(line).ShotCount() = count + 1;
    SetDistance(line, count + 1);
    return AddShotResult::Stored;
}

AddShotResult ShotStore::StartLine(std::int32_t at, const ShotRecord& record) {
    if (job_.LineCount >= job_.MaxLines) {
        job_.LineLimitProfile = std::string(record.ProfileNumber());
        return AddShotResult::TooManyLines;
    }
    const std::int32_t lineCount = std::max(job_.LineCount, 0);
    // Lines at..LineCount move down one place; the free slot after them comes up to `at`.
    for (std::int32_t line = lineCount + 1; line > at; --line) job_.Data.SwapLines(line, line - 1);
    if (journal_ != nullptr && at <= lineCount) journal_->LineInserted(at, lineCount);

    // Room for a full line up front: the line never moves while it fills,
    // and memory not yet written costs nothing.
    job_.Data.Reserve(at, job_.Data.ShotBound() + 1);
    // A new line never inherits the header of what stood in its slot before.
    if (journal_ != nullptr) journal_->BeforeWrite(at, 0);
    ShotRecord& header = job_.Data.EditHeader(at);
    header.Clear();
    header.ShotCount() = 1;
    Write(at, 1, record);
    job_.LineCount = lineCount + 1;
    job_.CurrentLine = at;
    // Lines have moved: what was remembered of a place no longer holds.
    lastLine_ = 0;
    Remember(at, record.ProfileNumber());
    return AddShotResult::Stored;
}

void ShotStore::Write(std::int32_t line, std::int32_t shot, const ShotRecord& record) {
    if (journal_ != nullptr) journal_->BeforeWrite(line, shot);
    job_.Data.Edit(line, shot) = record;
}

void ShotStore::SetDistance(std::int32_t line, std::int32_t shot) {
    if (!lastHasStart_) return;
    job_.Data.Edit(line, shot).DistDownRange = static_cast<float>(DistanceDownRange(job_, line, shot));
}

} // namespace tolvanor
