// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/PassMemo.h"

#include "core/Job.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tolvanor {

namespace {

// A multiply-rotate mix: fast, and every input bit reaches every output bit.
class Digest {
public:
    void Add(std::uint64_t value) noexcept {
        state_ = std::rotl((state_ ^ value) * 0x9E3779B97F4A7C15ULL, 29) * 0xBF58476D1CE4E5B9ULL;
    }
    void Add(double value) noexcept { Add(std::bit_cast<std::uint64_t>(value)); }
    void Add(float value) noexcept { Add(std::uint64_t{std::bit_cast<std::uint32_t>(value)}); }
    void Add(std::string_view text) noexcept {
        Add(std::uint64_t{text.size()});
        while (text.size() >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data(), 8);
            Add(word);
            text.remove_prefix(8);
        }
        std::uint64_t tail = 0;
        if (!text.empty()) std::memcpy(&tail, text.data(), text.size());
        Add(tail);
    }
    std::uint64_t Value() const noexcept { return state_ ^ (state_ >> 31); }

private:
    std::uint64_t state_ = 0x243F6A8885A308D3ULL;
};

std::uint64_t FloatPair(float low, float high) noexcept {
    return std::uint64_t{std::bit_cast<std::uint32_t>(low)} | std::uint64_t{std::bit_cast<std::uint32_t>(high)} << 32;
}

// Three digests take a record's words side by side, so that their
// multiplications overlap instead of each waiting for the one before.
using Lanes = std::array<Digest, 3>;

// Every field as whole words: the numbers' bits, the four text lengths,
// then the texts' bytes back to back (the lengths make that unambiguous).
void AddRecord(Lanes& lanes, const ShotRecord& r) {
    lanes[0].Add(r.Northing);
    lanes[1].Add(r.Easting);
    lanes[0].Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(r.SeqNum)) | (std::uint64_t{r.Ignore} << 32));
    lanes[1].Add(FloatPair(r.Elevation, r.DBT));
    lanes[0].Add(FloatPair(r.Heave, r.Pitch));
    lanes[1].Add(FloatPair(r.Roll, r.Tide));
    lanes[0].Add(FloatPair(r.DistDownRange, 0));
    const std::string_view texts[] = {r.ProfileNumber(), r.SurveyType(), r.ShotType(), r.Remark()};
    lanes[1].Add(std::uint64_t{texts[0].size()} | std::uint64_t{texts[1].size()} << 32);
    lanes[1].Add(std::uint64_t{texts[2].size()} | std::uint64_t{texts[3].size()} << 32);
    std::uint64_t word = 0;
    std::size_t filled = 0;
    for (const auto text : texts) {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t take = std::min(text.size() - at, sizeof word - filled);
            std::memcpy(reinterpret_cast<char*>(&word) + filled, text.data() + at, take);
            at += take;
            filled += take;
            if (filled < sizeof word) continue;
            lanes[2].Add(word);
            word = 0;
            filled = 0;
        }
    }
    lanes[2].Add(word); // the last bytes, zero-padded
}

} // namespace

std::uint64_t LineFingerprint(const Job& job, std::int32_t line) {
    Lanes lanes;
    const std::int32_t shots = std::min(job.ShotCount(line), job.Data.ShotBound());
    for (std::int32_t shot = 0; shot <= std::max(shots, 0); ++shot) AddRecord(lanes, job.Data.At(line, shot));
    Digest digest;
    for (const auto& lane : lanes) digest.Add(lane.Value());
    return digest.Value();
}

bool PassMemo::Settled(const Job& job, std::int32_t line, const PassKind& kind) const {
    const auto found = byVersion_.find(job.Data.LineVersion(line));
    return found != byVersion_.end() && found->second.Settled && found->second.Kind == kind;
}

std::uint64_t PassMemo::Fingerprint(const Job& job, std::int32_t line) const {
    const auto found = byVersion_.find(job.Data.LineVersion(line));
    if (found != byVersion_.end() && found->second.Fingerprint) return *found->second.Fingerprint;
    return LineFingerprint(job, line);
}

void PassMemo::Record(const Job& job, std::int32_t line, const PassKind& kind, std::uint64_t before) {
    Record(job, line, kind, before, LineFingerprint(job, line));
}

void PassMemo::Record(const Job& job, std::int32_t line, const PassKind& kind, std::uint64_t before,
                      std::uint64_t after) {
    byVersion_[job.Data.LineVersion(line)] = Entry{after, kind, after == before};
}

void PassMemo::RecordOutcome(const Job& job, std::int32_t line, const PassKind& kind, bool unchanged) {
    byVersion_[job.Data.LineVersion(line)] = Entry{std::nullopt, kind, unchanged};
}

void PassMemo::Prune(const Job& job) {
    std::unordered_map<std::uint64_t, Entry> kept;
    const std::int32_t lastLine = std::min(job.LineCount, job.Data.LineBound());
    for (std::int32_t line = 1; line <= lastLine; ++line) {
        const auto found = byVersion_.find(job.Data.LineVersion(line));
        if (found != byVersion_.end()) kept.insert(*found);
    }
    byVersion_ = std::move(kept);
}

} // namespace tolvanor
