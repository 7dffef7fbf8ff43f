// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/PassMemo.h"

#include "core/Job.h"

#include <algorithm>
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

void AddRecord(Digest& digest, const ShotRecord& r) {
    digest.Add(r.Northing);
    digest.Add(r.Easting);
    digest.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(r.SeqNum)) | (std::uint64_t{r.Ignore} << 32));
    for (const float value : {r.Elevation, r.DBT, r.Heave, r.Pitch, r.Roll, r.Tide, r.DistDownRange}) digest.Add(value);
    digest.Add(r.ProfileNumber());
    digest.Add(r.SurveyType());
    digest.Add(r.ShotType());
    digest.Add(r.Remark());
}

} // namespace

std::uint64_t LineFingerprint(const Job& job, std::int32_t line) {
    Digest digest;
    const std::int32_t shots = std::min(job.ShotCount(line), job.Data.ShotBound());
    for (std::int32_t shot = 0; shot <= std::max(shots, 0); ++shot) AddRecord(digest, job.Data.At(line, shot));
    return digest.Value();
}

bool PassMemo::Settled(const Job& job, std::int32_t line, const PassKind& kind) const {
    const auto found = byVersion_.find(job.Data.LineVersion(line));
    return found != byVersion_.end() && found->second.Settled && found->second.Kind == kind;
}

std::uint64_t PassMemo::Fingerprint(const Job& job, std::int32_t line) const {
    const auto found = byVersion_.find(job.Data.LineVersion(line));
    return found != byVersion_.end() ? found->second.Fingerprint : LineFingerprint(job, line);
}

void PassMemo::Record(const Job& job, std::int32_t line, const PassKind& kind, std::uint64_t before) {
    const std::uint64_t after = LineFingerprint(job, line);
    byVersion_[job.Data.LineVersion(line)] = Entry{after, kind, after == before};
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
