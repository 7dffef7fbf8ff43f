// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <vector>

namespace tolvanor {

// The survey table: lines 0..MaxLines+6, shots 0..MaxShots+1 per line.
// Every record reads as zero until written. Rows grow only as far as they
// are written, so a small job takes little memory while the addressing and
// the stale-record behaviour of a full fixed table are kept.
//
// Rows take their memory from the resource given at construction (the
// program passes one that backs big rows with huge pages). Every row of a
// table uses that one resource: a copy or a move of the table, and an
// assignment to it, use the source's resource, which must outlive both.
class SurveyData {
public:
    SurveyData(std::int32_t maxLines, std::int32_t maxShots,
               std::pmr::memory_resource* rowMemory = std::pmr::get_default_resource());
    SurveyData(const SurveyData& other);
    SurveyData(SurveyData&& other) noexcept = default;
    SurveyData& operator=(const SurveyData& other);
    SurveyData& operator=(SurveyData&& other) noexcept;
    ~SurveyData() = default;

    std::pmr::memory_resource* RowMemory() const noexcept { return rowMemory_; }

    std::int32_t LineBound() const noexcept { return lineBound_; } // highest line index
    std::int32_t ShotBound() const noexcept { return shotBound_; } // highest shot index

    bool InRange(std::int32_t line, std::int32_t shot) const noexcept {
        return line >= 0 && line <= lineBound_ && shot >= 0 && shot <= shotBound_;
    }

    // Reads never allocate; an unwritten record is the empty record. Inline:
    // every pass over a job reads each record through it.
    const ShotRecord& At(std::int32_t line, std::int32_t shot) const noexcept {
        assert(InRange(line, shot));
        const auto& row = lines_[static_cast<std::size_t>(line)];
        return static_cast<std::size_t>(shot) < row.size() ? row[static_cast<std::size_t>(shot)] : Empty();
    }
    // Writes make room for the record. Both indices must be in range.
    ShotRecord& Edit(std::int32_t line, std::int32_t shot);
    // Edits shots first..last one by one, in that order, and returns them
    // side by side (empty when first > last), for work that then touches
    // only these records, possibly on another thread.
    std::span<ShotRecord> EditShots(std::int32_t line, std::int32_t first, std::int32_t last);

    const ShotRecord& Header(std::int32_t line) const noexcept { return At(line, 0); }
    ShotRecord& EditHeader(std::int32_t line) { return Edit(line, 0); }

    // A number that changes whenever anything may have changed a line: every
    // Edit of one of its records, a copy over it, a Clear, an assignment of
    // the table. Lines keep theirs when they swap places. No two contents a
    // line of this table has held share a number, so a pass that found a
    // line unchanged by it may skip the line while its number stays.
    std::uint64_t LineVersion(std::int32_t line) const noexcept { return versions_[static_cast<std::size_t>(line)]; }

    // Records stored for a line (0 when untouched); records from here on read empty.
    std::int32_t StoredCount(std::int32_t line) const noexcept;

    // Copies a whole line's stored records (stale ones included) over another.
    void CopyLine(std::int32_t from, std::int32_t to);
    // Exchanges two whole lines (stored records included) without copying records.
    void SwapLines(std::int32_t a, std::int32_t b) noexcept;
    // Clears every record of every line and returns the memory.
    void Clear() noexcept;
    // Makes room for `count` records of a line up front (a hint for bulk loads).
    void Reserve(std::int32_t line, std::int32_t count);

private:
    using Row = std::pmr::vector<ShotRecord>;

    static const ShotRecord& Empty() noexcept;

    std::int32_t lineBound_;
    std::int32_t shotBound_;
    std::pmr::memory_resource* rowMemory_;
    std::vector<Row> lines_;
    std::vector<std::uint64_t> versions_;
    std::uint64_t clock_ = 0;
};

// Asks for the records a few shots after `shot` (a line's records lie side by
// side) while this one is used: a pass over a large job otherwise waits
// for memory at every record. Past the line's end it only fetches what is there.
inline void PrefetchShotsAfter(const ShotRecord& shot) noexcept {
    constexpr std::size_t Ahead = 8;
    // An address, not a pointer into the row: it may lie past the row's end.
    __builtin_prefetch(
        reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(&shot) + Ahead * sizeof(ShotRecord)));
}

} // namespace tolvanor
