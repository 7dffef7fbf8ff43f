// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ShotListReader.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "core/Rounding.h"
#include "input/AddShot.h"
#include "input/LineReader.h"
#include "input/ReadMessages.h"
#include "input/ReadOptions.h"
#include "input/Remark.h"

#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

constexpr std::int64_t ProgressEveryLines = 1 << 16;

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
// 32-bit range overflows.
ReadError ConvertSeqNum(std::string_view text, std::int32_t& value) noexcept {
    const double number = LeadingNumberValue(text);
    // Sequence numbers are nearly always whole already.
    const double rounded = std::trunc(number) == number ? number : RoundHalfEven(number);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        return ReadError::Other;
    }
    value = static_cast<std::int32_t>(rounded);
    return ReadError::None;
}

} // namespace

ShotListReader::ShotListReader(Job& job, const ReadOptions& options, ShotStore& store, Prompter& prompter)
    : job_(job), options_(options), store_(store), prompter_(prompter),
      columns_(ColumnMapFor(static_cast<DataType>(options.DataType))), change_(ParseElevChange(options.ElevChange)) {}

ReadStop ShotListReader::Read(LineReader& reader, Progress* progress, std::int64_t totalBytes) {
    ReadStop stop;
    std::int64_t linesRead = 0;
    for (;;) {
        // One more shot is wanted: the counter numbers shots of layouts without a sequence column.
        ++acceptedCounter_;
        LineVerdict verdict = LineVerdict::Skipped;
        std::string_view line;
        while (verdict == LineVerdict::Skipped) {
            if (!reader.Next(line)) {
                if (reader.Failed()) stop.Error = ReadError::Open;
                return stop;
            }
            if ((++linesRead % ProgressEveryLines) == 0) ReportProgress(progress, reader.BytesRead(), totalBytes);
            verdict = ParseLine(line, stop);
        }
        if (verdict == LineVerdict::Failed) return stop;

        switch (store_.Add(working_)) {
        case AddShotResult::Stored:
            ++stop.RecordsStored;
            break;
        case AddShotResult::TooManyLines:
            prompter_.Message(LineLimitMessage(job_.MaxLines, job_.LineLimitProfile));
            stop.LineLimitReached = true;
            return stop;
        case AddShotResult::LineFull:
            if (!stop.ShotLimitReached) {
                prompter_.Message(ShotLimitMessage(job_.MaxShots, job_.ShotLimitProfile));
                stop.ShotLimitReached = true;
            }
            break;
        }
    }
}

// Turns one line into the working record. Comment and blank lines, and
// lines whose remark does not name a profile, are skipped.
ShotListReader::LineVerdict ShotListReader::ParseLine(std::string_view raw, ReadStop& stop) {
    const auto line = WithoutSurroundingSpaces(raw);
    if (line.empty() || IsCommentLine(line)) return LineVerdict::Skipped;

    const Fields fields(line);
    ReadError error = ConvertColumns(fields);
    if (error == ReadError::None && columns_.Remark >= 0) {
        if (!fields.Has(columns_.Remark)) {
            error = ReadError::Other;
        } else {
            const auto remark = fields[static_cast<std::size_t>(columns_.Remark)];
            if (!IsProfileRemark(remark)) return LineVerdict::Skipped;
            working_.SetRemark(remark);
            SetProfileTexts(remark);
        }
    }
    if (error == ReadError::None) error = AdjustElevation();
    if (error == ReadError::None) return LineVerdict::Accepted;
    stop.Error = error;
    stop.RawLine = std::string(raw);
    return LineVerdict::Failed;
}

// Numbers are converted before the remark is looked at, in a fixed order;
// the first failure decides the message.
ReadError ShotListReader::ConvertColumns(const Fields& fields) {
    auto column = [&](int index, auto& value) -> ReadError {
        if (index < 0) return ReadError::None;
        if (!fields.Has(index)) return ReadError::Other;
        const auto text = fields[static_cast<std::size_t>(index)];
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, double>) {
            return ErrorOf(StrictToDouble(text, value));
        } else if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, float>) {
            return ErrorOf(StrictToFloat(text, value));
        } else {
            return ConvertSeqNum(text, value);
        }
    };
    ReadError error = ReadError::None;
    if (error == ReadError::None) error = column(columns_.Northing, working_.Northing);
    if (error == ReadError::None) error = column(columns_.Easting, working_.Easting);
    if (error == ReadError::None) error = column(columns_.Elevation, working_.Elevation);
    if (error == ReadError::None) error = column(columns_.DBT, working_.DBT);
    if (error == ReadError::None) error = column(columns_.Heave, working_.Heave);
    if (error == ReadError::None) error = column(columns_.Tide, working_.Tide);
    if (error != ReadError::None) return error;
    if (columns_.SeqNum >= 0) return column(columns_.SeqNum, working_.SeqNum);
    working_.SeqNum = static_cast<std::int32_t>(acceptedCounter_);
    return ReadError::None;
}

void ShotListReader::SetProfileTexts(std::string_view remark) {
    // "PRO" alone has no number at all, "PRO " an empty one: they format differently.
    const bool noNumber = remark.size() <= 3;
    const auto raw = RawProfileNumber(remark);
    if (!haveProfile_ || noNumber != lastNoNumber_ || raw != lastRawProfile_) {
        lastNoNumber_ = noNumber;
        lastRawProfile_ = raw;
        lastProfileNumber_ = ProfileNumberFromRemark(remark, options_.FormatProfileNumbers) + options_.AppendToProfile;
        haveProfile_ = true;
    }
    working_.SetProfileNumber(lastProfileNumber_);
    working_.SetShotType(ShotTypeFromRemark(remark));
    working_.SetSurveyType(SurveyTypeFromProfileNumber(lastProfileNumber_));
}

ReadError ShotListReader::AdjustElevation() {
    if (!columns_.Sounder) {
        return ApplyElevProcessing(options_.ElevProcessing, change_, working_.Elevation) ? ReadError::None
                                                                                         : ReadError::Other;
    }
    if (!ApplyElevProcessing(options_.ElevProcessing, change_, working_.DBT)) return ReadError::Other;
    // Sounder elevations are worked out in single precision, step by step.
    float elevation = working_.DBT - working_.Heave;
    elevation = elevation - working_.Tide;
    elevation = elevation * -1.0f;
    if (!std::isfinite(elevation)) return ReadError::Other;
    working_.Elevation = elevation;
    working_.SetShotType("W");
    return ReadError::None;
}

} // namespace tolvanor
