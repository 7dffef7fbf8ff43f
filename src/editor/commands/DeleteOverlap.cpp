// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/DeleteOverlap.h"

#include "core/Text.h"
#include "editor/commands/CurrentLine.h"

#include <array>

namespace tolvanor {

namespace {

// Ranks, highest first; A has no range of its own.
constexpr std::array<char, 5> RankedTypes = {'B', 'L', 'S', 'W', 'A'};
constexpr int RangedTypes = 4;

// The rank of a shot type, -1 for types outside the ranking.
int RankOf(std::string_view shotType) noexcept {
    const auto type = TrimSpaces(shotType);
    if (type.size() != 1) return -1;
    const char upper = (type[0] >= 'a' && type[0] <= 'z') ? static_cast<char>(type[0] - 'a' + 'A') : type[0];
    for (int rank = 0; rank < static_cast<int>(RankedTypes.size()); ++rank) {
        if (RankedTypes[static_cast<std::size_t>(rank)] == upper) return rank;
    }
    return -1;
}

struct DistanceRange {
    float Max = -10000.0f;
    float Min = 10000.0f;
    void Take(float distance) noexcept {
        if (distance > Max) Max = distance;
        if (distance < Min) Min = distance;
    }
    // A type with no shots, or all at one distance, covers nothing.
    bool Covers(float distance) const noexcept { return Max > Min && Min < distance && distance < Max; }
};

} // namespace

std::int32_t DeleteOverlap(Job& job, std::int32_t line) {
    if (line < 1 || line > job.MaxLines) return 0;
    const auto shots = std::min(job.ShotCount(line), job.Data.ShotBound());
    std::array<DistanceRange, RangedTypes> ranges{};
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        const auto& record = job.Data.At(line, shot);
        const int rank = RankOf(record.ShotType());
        if (rank >= 0 && rank < RangedTypes) ranges[static_cast<std::size_t>(rank)].Take(record.DistDownRange);
    }
    std::int32_t marked = 0;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        const auto& record = job.Data.At(line, shot);
        if (record.Ignore) continue;
        const int rank = RankOf(record.ShotType());
        for (int above = 0; above < rank; ++above) {
            if (!ranges[static_cast<std::size_t>(above)].Covers(record.DistDownRange)) continue;
            job.Data.Edit(line, shot).Ignore = true;
            ++marked;
            break;
        }
    }
    return marked;
}

std::int32_t DeleteOverlapCommand(Job& job, DataEditor& editor, bool& fromAllLines) {
    std::int32_t marked = 0;
    if (fromAllLines) {
        const auto lastLine = std::min(job.LineCount, static_cast<std::int32_t>(job.MaxLines));
        for (std::int32_t line = 1; line <= lastLine; ++line) marked += DeleteOverlap(job, line);
    } else if (HasCurrentLine(job)) {
        marked = DeleteOverlap(job, job.CurrentLine);
    }
    if (HasCurrentLine(job)) {
        editor.ArrayToGrid(job.CurrentLine);
        editor.PlotData(job.CurrentLine);
    }
    fromAllLines = false;
    if (marked > 0) job.DataChanged = true;
    return marked;
}

} // namespace tolvanor
