// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SurveyData.h"

#include <algorithm>
#include <cassert>

namespace tolvanor {

namespace {
const ShotRecord EmptyRecord{};
}

SurveyData::SurveyData(std::int32_t maxLines, std::int32_t maxShots, std::pmr::memory_resource* rowMemory)
    : lineBound_(maxLines + 6), shotBound_(maxShots + 1), rowMemory_(rowMemory) {
    // Rows are made one by one: copying a prototype row would give every row
    // the default resource instead.
    lines_.reserve(static_cast<std::size_t>(maxLines + 7));
    for (std::int32_t line = 0; line <= lineBound_; ++line) lines_.emplace_back(rowMemory_);
    versions_.assign(lines_.size(), 0);
}

SurveyData::SurveyData(const SurveyData& other)
    : lineBound_(other.lineBound_), shotBound_(other.shotBound_), rowMemory_(other.rowMemory_) {
    lines_.reserve(other.lines_.size());
    for (const Row& row : other.lines_) lines_.emplace_back(row, rowMemory_);
    versions_ = other.versions_;
    clock_ = other.clock_;
}

SurveyData& SurveyData::operator=(const SurveyData& other) {
    if (this != &other) *this = SurveyData(other);
    return *this;
}

SurveyData& SurveyData::operator=(SurveyData&& other) noexcept {
    if (this == &other) return *this;
    // The other table counted on its own: every line gets a number this
    // table has never given out.
    const std::uint64_t clock = std::max(clock_, other.clock_);
    lineBound_ = other.lineBound_;
    shotBound_ = other.shotBound_;
    rowMemory_ = other.rowMemory_;
    lines_ = std::move(other.lines_);
    versions_ = std::move(other.versions_);
    clock_ = clock;
    for (auto& version : versions_) version = ++clock_;
    return *this;
}

const ShotRecord& SurveyData::Empty() noexcept {
    return EmptyRecord;
}

ShotRecord& SurveyData::Edit(std::int32_t line, std::int32_t shot) {
    assert(InRange(line, shot));
    auto& row = lines_[static_cast<std::size_t>(line)];
    versions_[static_cast<std::size_t>(line)] = ++clock_;
    const auto index = static_cast<std::size_t>(shot);
    if (index >= row.size()) {
        // Grow geometrically but never past the line's capacity.
        const auto capacity = static_cast<std::size_t>(shotBound_) + 1;
        if (index >= row.capacity())
            row.reserve(std::min(capacity, std::max<std::size_t>(index + 1, row.capacity() * 2)));
        row.resize(index + 1);
    }
    return row[index];
}

std::span<ShotRecord> SurveyData::EditShots(std::int32_t line, std::int32_t first, std::int32_t last) {
    ShotRecord* lastEdited = nullptr;
    for (std::int32_t shot = first; shot <= last; ++shot) lastEdited = &Edit(line, shot);
    if (lastEdited == nullptr) return {};
    // Rows only grow while being edited, so the last record edited lies behind all the others.
    return {lastEdited - (last - first), static_cast<std::size_t>(last - first + 1)};
}

std::int32_t SurveyData::StoredCount(std::int32_t line) const noexcept {
    return static_cast<std::int32_t>(lines_[static_cast<std::size_t>(line)].size());
}

void SurveyData::CopyLine(std::int32_t from, std::int32_t to) {
    if (from == to) return;
    lines_[static_cast<std::size_t>(to)] = lines_[static_cast<std::size_t>(from)];
    versions_[static_cast<std::size_t>(to)] = ++clock_;
}

void SurveyData::SwapLines(std::int32_t a, std::int32_t b) noexcept {
    lines_[static_cast<std::size_t>(a)].swap(lines_[static_cast<std::size_t>(b)]);
    std::swap(versions_[static_cast<std::size_t>(a)], versions_[static_cast<std::size_t>(b)]);
}

void SurveyData::Clear() noexcept {
    for (auto& row : lines_) Row(rowMemory_).swap(row);
    for (auto& version : versions_) version = ++clock_;
}

void SurveyData::Reserve(std::int32_t line, std::int32_t count) {
    auto& row = lines_[static_cast<std::size_t>(line)];
    row.reserve(static_cast<std::size_t>(std::min(count, shotBound_ + 1)));
}

} // namespace tolvanor
