// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace tolvanor {

class Job;

// What the whole-job pass has learnt about line contents, so that a pass
// after a load sends through the grid only the lines it could change. A
// content is named by its LineVersion; for each the memo keeps a
// fingerprint and whether one pass of a kind (sort order, distances
// recomputed first or not) left it exactly as it was. Such a line would
// come out of that pass unchanged again, so skipping it gives the same
// table as passing it. A line is settled after at most three passes: the
// first rounds it, the second may move a water shot's elevation by one
// display unit, the third finds it unchanged.
class PassMemo {
public:
    struct PassKind {
        int SortOrder = 0;
        bool Distances = false; // the merge's distances recomputed before the grid
        friend bool operator==(const PassKind&, const PassKind&) = default;
    };

    // The line is known to come out of this kind of pass unchanged.
    bool Settled(const Job& job, std::int32_t line, const PassKind& kind) const;
    // The line's fingerprint now (remembered when its content is known).
    std::uint64_t Fingerprint(const Job& job, std::int32_t line) const;
    // After a pass of the line that began with fingerprint `before`.
    void Record(const Job& job, std::int32_t line, const PassKind& kind, std::uint64_t before);
    // The same, with the fingerprint after the pass already taken.
    void Record(const Job& job, std::int32_t line, const PassKind& kind, std::uint64_t before, std::uint64_t after);
    // After a pass that found for itself whether it changed the line; the
    // fingerprint is then taken only when a later pass asks for it.
    void RecordOutcome(const Job& job, std::int32_t line, const PassKind& kind, bool unchanged);
    // Forgets contents no line of lines 1..LineCount holds any more.
    void Prune(const Job& job);

private:
    struct Entry {
        std::optional<std::uint64_t> Fingerprint;
        PassKind Kind;
        bool Settled = false;
    };
    std::unordered_map<std::uint64_t, Entry> byVersion_;
};

// A 64-bit digest of everything a pass reads or writes in a line: its
// header and shots 1..ShotCount, every field bit for bit.
std::uint64_t LineFingerprint(const Job& job, std::int32_t line);

} // namespace tolvanor
