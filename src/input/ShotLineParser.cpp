// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ShotLineParser.h"

#include "core/NumberParsing.h"
#include "core/Rounding.h"
#include "input/ReadOptions.h"
#include "input/Remark.h"

#include <cmath>
#include <limits>
#include <type_traits>

namespace tolvanor {

namespace {

std::string_view WithoutSurroundingSpaces(std::string_view line) noexcept {
    std::size_t first = 0;
    std::size_t last = line.size();
    while (first < last && line[first] == ' ') ++first;
    while (last > first && line[last - 1] == ' ') --last;
    return line.substr(first, last - first);
}

bool IsCommentLine(std::string_view line) noexcept {
    if (line.front() == ';') return true;
    if (line.size() < 3) return false;
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(line[0]) == 'R' && upper(line[1]) == 'E' && upper(line[2]) == 'M';
}

// The sequence number: the leading number, halves to even; a value past the
// 32-bit range overflows. A text that is a number altogether has that
// number as its leading one.
ReadError ConvertSeqNum(std::string_view text, bool padded, std::int32_t& value) noexcept {
    double number = 0;
    if (!padded || PaddedStrictToDouble(text, number) != ConversionStatus::Ok) number = LeadingNumberValue(text);
    // Sequence numbers are nearly always whole already.
    const double rounded = std::trunc(number) == number ? number : RoundHalfEven(number);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        return ReadError::Other;
    }
    value = static_cast<std::int32_t>(rounded);
    return ReadError::None;
}

} // namespace

ShotLineParser::ShotLineParser(const ReadOptions& options, bool paddedLines)
    : options_(options), padded_(paddedLines), columns_(ColumnMapFor(static_cast<DataType>(options.DataType))),
      change_(ParseElevChange(options.ElevChange)) {}

ShotLineParser::Verdict ShotLineParser::Parse(std::string_view raw, ShotRecord& shot, ReadError& error) {
    const auto line = WithoutSurroundingSpaces(raw);
    if (line.empty() || IsCommentLine(line)) return Verdict::Skipped;

    const Fields fields(line);
    error = ConvertColumns(fields, shot);
    if (error == ReadError::None && columns_.Remark >= 0) {
        if (!fields.Has(columns_.Remark)) {
            error = ReadError::Other;
        } else {
            const auto remark = fields[static_cast<std::size_t>(columns_.Remark)];
            if (!IsProfileRemark(remark)) return Verdict::Skipped;
            // The record's texts all follow from its remark: shots of one
            // profile with the same remark leave them as they are.
            if (shot.Remark() != remark) SetProfileTexts(remark, shot);
        }
    }
    if (error == ReadError::None) error = AdjustElevation(shot);
    return error == ReadError::None ? Verdict::Accepted : Verdict::Failed;
}

// Numbers are converted before the remark is looked at, in a fixed order;
// the first failure decides the message.
ReadError ShotLineParser::ConvertColumns(const Fields& fields, ShotRecord& shot) const {
    auto column = [&](int index, auto& value) -> ReadError {
        if (index < 0) return ReadError::None;
        if (!fields.Has(index)) return ReadError::Other;
        const auto text = fields[static_cast<std::size_t>(index)];
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, double>) {
            return ErrorOf(padded_ ? PaddedStrictToDouble(text, value) : StrictToDouble(text, value));
        } else if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, float>) {
            return ErrorOf(padded_ ? PaddedStrictToFloat(text, value) : StrictToFloat(text, value));
        } else {
            return ConvertSeqNum(text, padded_, value);
        }
    };
    ReadError error = ReadError::None;
    if (error == ReadError::None) error = column(columns_.Northing, shot.Northing);
    if (error == ReadError::None) error = column(columns_.Easting, shot.Easting);
    if (error == ReadError::None) error = column(columns_.Elevation, shot.Elevation);
    if (error == ReadError::None) error = column(columns_.DBT, shot.DBT);
    if (error == ReadError::None) error = column(columns_.Heave, shot.Heave);
    if (error == ReadError::None) error = column(columns_.Tide, shot.Tide);
    if (error != ReadError::None) return error;
    return column(columns_.SeqNum, shot.SeqNum);
}

void ShotLineParser::SetProfileTexts(std::string_view remark, ShotRecord& shot) {
    // "PRO" alone has no number at all, "PRO " an empty one: they format differently.
    const bool noNumber = remark.size() <= 3;
    const auto raw = RawProfileNumber(remark);
    if (!haveProfile_ || noNumber != lastNoNumber_ || raw != lastRawProfile_) {
        lastNoNumber_ = noNumber;
        lastRawProfile_ = raw;
        lastProfileNumber_ = ProfileNumberFromRemark(remark, options_.FormatProfileNumbers) + options_.AppendToProfile;
        haveProfile_ = true;
    }
    // All four at once: setting them one by one repacks the record four times.
    shot.Texts.Update(
        {lastProfileNumber_, SurveyTypeFromProfileNumber(lastProfileNumber_), ShotTypeFromRemark(remark), remark});
}

ReadError ShotLineParser::AdjustElevation(ShotRecord& shot) const {
    if (!columns_.Sounder) {
        return ApplyElevProcessing(options_.ElevProcessing, change_, shot.Elevation) ? ReadError::None
                                                                                     : ReadError::Other;
    }
    if (!ApplyElevProcessing(options_.ElevProcessing, change_, shot.DBT)) return ReadError::Other;
    // Sounder elevations are worked out in single precision, step by step.
    float elevation = shot.DBT - shot.Heave;
    elevation = elevation - shot.Tide;
    elevation = elevation * -1.0f;
    if (!std::isfinite(elevation)) return ReadError::Other;
    shot.Elevation = elevation;
    shot.SetShotType("W");
    return ReadError::None;
}

} // namespace tolvanor
