// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/JobFileReader.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Progress.h"
#include "core/Rounding.h"
#include "core/Text.h"
#include "input/LineReader.h"
#include "input/ReadJournal.h"
#include "input/ReadMessages.h"
#include "input/ReadOptions.h"

#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

constexpr std::int64_t ProgressEveryLines = 1 << 16;
constexpr std::size_t CurrentLayout = 17;
constexpr std::size_t OldLayout = 12;

// A whole number written as any number ("12", " 12", "12.0"), halves to
// even; past the 32-bit range it overflows.
ReadError ToInteger(std::string_view text, std::int32_t& value) noexcept {
    double number = 0;
    if (const auto error = ErrorOf(StrictToDouble(text, number)); error != ReadError::None) return error;
    const double rounded = std::trunc(number) == number ? number : RoundHalfEven(number);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        return ReadError::Other;
    }
    value = static_cast<std::int32_t>(rounded);
    return ReadError::None;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) noexcept {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        char w = word[i];
        if (w >= 'a' && w <= 'z') w = static_cast<char>(w - 'a' + 'A');
        if (c != w) return false;
    }
    return true;
}

// "True" or "False" in any case, or a number (0 is false).
ReadError ToBoolean(std::string_view text, bool& value) noexcept {
    const auto word = TrimBlanks(text);
    if (EqualsIgnoringCase(word, "True")) {
        value = true;
    } else if (EqualsIgnoringCase(word, "False")) {
        value = false;
    } else {
        double number = 0;
        if (const auto error = ErrorOf(StrictToDouble(word, number)); error != ReadError::None) return error;
        value = number != 0;
    }
    return ReadError::None;
}

} // namespace

JobFileReader::JobFileReader(Job& job, const ReadOptions& options, ReadJournal& journal)
    : job_(job), options_(options), journal_(journal) {}

ReadStop JobFileReader::Read(LineReader& reader, Progress* progress, std::int64_t totalBytes) {
    ReadStop stop;
    bool storedAny = false;
    std::int32_t lastLine = 0;
    std::string_view text;
    while (reader.Next(text)) {
        ++stop.JobLineCounter;
        if ((stop.JobLineCounter % ProgressEveryLines) == 0) ReportProgress(progress, reader.BytesRead(), totalBytes);
        const Fields fields(text);
        if (fields.Count() != CurrentLayout && fields.Count() != OldLayout) continue;

        std::int32_t line = 0;
        std::int32_t shot = 0;
        if (const auto error = ParseRecord(fields, line, shot); error != ReadError::None) {
            stop.Error = error;
            stop.RawLine = std::string(text);
            return stop;
        }
        // A header comes before its shots: make room for all of them at once.
        if (shot == 0) job_.Data.Reserve(line, working_.ShotCount() + 1);
        journal_.BeforeWrite(line, shot);
        job_.Data.Edit(line, shot) = working_;
        ++stop.RecordsStored;
        storedAny = true;
        lastLine = line;
    }
    if (reader.Failed()) {
        stop.Error = ReadError::Open;
        return stop;
    }
    // The last record read decides how many lines are in use.
    if (storedAny) job_.LineCount = lastLine;
    return stop;
}

ReadError JobFileReader::ParseRecord(const Fields& fields, std::int32_t& line, std::int32_t& shot) {
    ReadError error = ToInteger(fields[0], line);
    if (error == ReadError::None) error = ToInteger(fields[1], shot);
    if (error != ReadError::None) return error;
    // Lines past MaxLines are not data (the editor keeps its undo copy there),
    // and a line holds no more shots than the table has room for.
    if (line < 0 || line > job_.MaxLines || shot < 0 || shot > job_.Data.ShotBound()) return ReadError::Other;

    const bool current = fields.Count() == CurrentLayout;
    float field5 = 0;
    error = ToInteger(fields[2], working_.SeqNum);
    if (error == ReadError::None) error = ErrorOf(StrictToDouble(fields[3], working_.Easting));
    if (error == ReadError::None) error = ErrorOf(StrictToDouble(fields[4], working_.Northing));
    if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[5], field5));
    if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[7], working_.DistDownRange));
    if (error == ReadError::None) error = ToBoolean(fields[10], working_.Ignore);
    if (current) {
        if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[12], working_.DBT));
        if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[13], working_.Tide));
        if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[14], working_.Heave));
        if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[15], working_.Pitch));
        if (error == ReadError::None) error = ErrorOf(StrictToFloat(fields[16], working_.Roll));
    }
    if (error != ReadError::None) return error;
    // A header's shot count must stay within the line, or every walk over it would run off the table.
    if (shot == 0 && (working_.ShotCount() < 0 || working_.ShotCount() > job_.Data.ShotBound())) {
        return ReadError::Other;
    }

    working_.SetRemark(fields[6]);
    working_.SetSurveyType(fields[9]);
    SetProfileNumber(fields[11]);
    if (current) {
        working_.Elevation = field5;
        working_.SetShotType(fields[8]);
    } else {
        working_.SetShotType("L");
        working_.Heave = working_.Pitch = working_.Roll = working_.Tide = 0;
        working_.Elevation = options_.MapElevation ? 0 : field5;
        working_.DBT = options_.MapElevation ? field5 : 0;
    }
    return ReadError::None;
}

void JobFileReader::SetProfileNumber(std::string_view saved) {
    if (!haveProfile_ || saved != lastSavedProfile_) {
        lastSavedProfile_ = saved;
        lastProfileNumber_ = UpperAscii(saved) + options_.AppendToProfile;
        haveProfile_ = true;
    }
    working_.SetProfileNumber(lastProfileNumber_);
}

} // namespace tolvanor
