// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tolvanor {

// The four text fields of a record packed into one block. Real survey texts
// are short (a profile number, a two-letter survey type, a one-letter shot
// type, a remark of a dozen characters), so they live inline; a record whose
// texts do not fit spills all four into one heap block. This keeps a record
// small enough that a full job of three million records fits comfortably.
class RecordTexts {
public:
    enum Field : std::uint8_t { ProfileNumber = 0, SurveyType = 1, ShotType = 2, Remark = 3 };

    RecordTexts() noexcept = default;
    RecordTexts(const RecordTexts& other);
    RecordTexts(RecordTexts&& other) noexcept;
    RecordTexts& operator=(const RecordTexts& other);
    RecordTexts& operator=(RecordTexts&& other) noexcept;
    ~RecordTexts();

    // Inline texts are found here, in the caller: every pass and writer
    // reads them for each of millions of records.
    std::string_view Get(Field field) const noexcept {
        if (onHeap_) return HeapViews()[field];
        std::size_t start = 0;
        for (int i = 0; i < field; ++i) start += inlineLength_[static_cast<std::size_t>(i)];
        return {bytes_.data() + start, inlineLength_[field]};
    }
    // All four, in Field order.
    std::array<std::string_view, 4> Views() const noexcept {
        if (onHeap_) return HeapViews();
        std::array<std::string_view, 4> views;
        const char* cursor = bytes_.data();
        for (std::size_t i = 0; i < views.size(); ++i) {
            views[i] = std::string_view(cursor, inlineLength_[i]);
            cursor += inlineLength_[i];
        }
        return views;
    }
    void Set(Field field, std::string_view text);
    // All four at once, in Field order; false when they were these already.
    bool Update(const std::array<std::string_view, 4>& texts);
    void Clear() noexcept;
    bool IsInline() const noexcept { return !onHeap_; }

    friend bool operator==(const RecordTexts& a, const RecordTexts& b) noexcept;

    static constexpr std::size_t InlineCapacity = 42;

private:
    struct HeapBlock;
    std::array<std::string_view, 4> HeapViews() const noexcept;
    void Assign(const std::array<std::string_view, 4>& texts);
    HeapBlock* Heap() const noexcept;

    // Inline: the texts back to back in bytes_, their lengths in inlineLength_.
    // Byte-aligned on purpose so the record packs into 96 bytes.
    // On the heap: bytes_ holds the block pointer.
    std::array<char, InlineCapacity> bytes_{};
    std::array<std::uint8_t, 4> inlineLength_{};
    bool onHeap_ = false;
};

// One record of the survey table. Shot 0 of a line is its header and reuses
// the same slots under other names (see the header accessors below).
struct ShotRecord {
    double Northing = 0;
    double Easting = 0;
    std::int32_t SeqNum = 0;
    float Elevation = 0;
    float DBT = 0;
    float Heave = 0;
    float Pitch = 0;
    float Roll = 0;
    float Tide = 0;
    float DistDownRange = 0;
    RecordTexts Texts;
    bool Ignore = false;

    std::string_view ProfileNumber() const noexcept { return Texts.Get(RecordTexts::ProfileNumber); }
    std::string_view SurveyType() const noexcept { return Texts.Get(RecordTexts::SurveyType); }
    std::string_view ShotType() const noexcept { return Texts.Get(RecordTexts::ShotType); }
    std::string_view Remark() const noexcept { return Texts.Get(RecordTexts::Remark); }
    void SetProfileNumber(std::string_view text) { Texts.Set(RecordTexts::ProfileNumber, text); }
    void SetSurveyType(std::string_view text) { Texts.Set(RecordTexts::SurveyType, text); }
    void SetShotType(std::string_view text) { Texts.Set(RecordTexts::ShotType, text); }
    void SetRemark(std::string_view text) { Texts.Set(RecordTexts::Remark, text); }

    // Header roles of shot 0.
    std::int32_t& ShotCount() noexcept { return SeqNum; }
    std::int32_t ShotCount() const noexcept { return SeqNum; }
    double& StartNorthing() noexcept { return Northing; }
    double StartNorthing() const noexcept { return Northing; }
    double& StartEasting() noexcept { return Easting; }
    double StartEasting() const noexcept { return Easting; }
    float& LineAngle() noexcept { return Elevation; }
    float LineAngle() const noexcept { return Elevation; }
    bool& LineIgnored() noexcept { return Ignore; }
    bool LineIgnored() const noexcept { return Ignore; }

    void Clear() noexcept { *this = ShotRecord{}; }

    friend bool operator==(const ShotRecord& a, const ShotRecord& b) noexcept = default;
};

} // namespace tolvanor
