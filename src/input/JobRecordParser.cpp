// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/JobRecordParser.h"

#include "core/NumberParsing.h"
#include "core/Rounding.h"
#include "core/Text.h"
#include "input/ReadOptions.h"

#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

constexpr std::size_t CurrentLayout = 17;
constexpr std::size_t OldLayout = 12;

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

// The saved indexes and sequence numbers: blanks, then up to nine digits
// with an optional minus, exact whichever road reads them.
bool PlainInteger(std::string_view text, std::int32_t& value) noexcept {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    const std::size_t first = at;
    std::int32_t number = 0;
    for (; at < text.size() && at - first < 9 && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10 + (text[at] - '0');
    }
    if (at == first || at != text.size()) return false;
    value = negative ? -number : number;
    return true;
}

} // namespace

JobRecordParser::JobRecordParser(std::int32_t maxLines, std::int32_t shotBound, const ReadOptions& options,
                                 bool paddedLines)
    : maxLines_(maxLines), shotBound_(shotBound), options_(options), padded_(paddedLines) {}

ReadError JobRecordParser::ToDouble(std::string_view text, double& value) const noexcept {
    return ErrorOf(padded_ ? PaddedStrictToDouble(text, value) : StrictToDouble(text, value));
}

ReadError JobRecordParser::ToFloat(std::string_view text, float& value) const noexcept {
    return ErrorOf(padded_ ? PaddedStrictToFloat(text, value) : StrictToFloat(text, value));
}

// A whole number written as any number ("12", " 12", "12.0"), halves to
// even; past the 32-bit range it overflows.
ReadError JobRecordParser::ToInteger(std::string_view text, std::int32_t& value) const noexcept {
    if (PlainInteger(text, value)) return ReadError::None;
    double number = 0;
    if (const auto error = ToDouble(text, number); error != ReadError::None) return error;
    const double rounded = std::trunc(number) == number ? number : RoundHalfEven(number);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        return ReadError::Other;
    }
    value = static_cast<std::int32_t>(rounded);
    return ReadError::None;
}

// "True" or "False" in any case, or a number (0 is false).
ReadError JobRecordParser::ToBoolean(std::string_view text, bool& value) const noexcept {
    // As the job file writes them, without the trimming.
    if (text == "False" || text == "True") {
        value = text == "True";
        return ReadError::None;
    }
    const auto word = TrimBlanks(text);
    if (EqualsIgnoringCase(word, "True")) {
        value = true;
    } else if (EqualsIgnoringCase(word, "False")) {
        value = false;
    } else {
        double number = 0;
        if (const auto error = ToDouble(word, number); error != ReadError::None) return error;
        value = number != 0;
    }
    return ReadError::None;
}

JobRecordParser::Verdict JobRecordParser::Parse(std::string_view text, JobRecord& record, ReadError& error) {
    const Fields fields(text);
    if (fields.Count() != CurrentLayout && fields.Count() != OldLayout) return Verdict::PassedOver;
    error = ParseFields(fields, record);
    return error == ReadError::None ? Verdict::Record : Verdict::Failed;
}

ReadError JobRecordParser::ParseFields(const Fields& fields, JobRecord& record) {
    ReadError error = ToInteger(fields[0], record.Line);
    if (error == ReadError::None) error = ToInteger(fields[1], record.Shot);
    if (error != ReadError::None) return error;
    // Lines past MaxLines are not data (the editor keeps its undo copy there),
    // and a line holds no more shots than the table has room for.
    if (record.Line < 0 || record.Line > maxLines_ || record.Shot < 0 || record.Shot > shotBound_) {
        return ReadError::Other;
    }

    ShotRecord& shot = record.Record;
    const bool current = fields.Count() == CurrentLayout;
    float field5 = 0;
    error = ToInteger(fields[2], shot.SeqNum);
    if (error == ReadError::None) error = ToDouble(fields[3], shot.Easting);
    if (error == ReadError::None) error = ToDouble(fields[4], shot.Northing);
    if (error == ReadError::None) error = ToFloat(fields[5], field5);
    if (error == ReadError::None) error = ToFloat(fields[7], shot.DistDownRange);
    if (error == ReadError::None) error = ToBoolean(fields[10], shot.Ignore);
    if (current) {
        if (error == ReadError::None) error = ToFloat(fields[12], shot.DBT);
        if (error == ReadError::None) error = ToFloat(fields[13], shot.Tide);
        if (error == ReadError::None) error = ToFloat(fields[14], shot.Heave);
        if (error == ReadError::None) error = ToFloat(fields[15], shot.Pitch);
        if (error == ReadError::None) error = ToFloat(fields[16], shot.Roll);
    }
    if (error != ReadError::None) return error;
    // A header's shot count must stay within the line, or every walk over it would run off the table.
    if (record.Shot == 0 && (shot.ShotCount() < 0 || shot.ShotCount() > shotBound_)) return ReadError::Other;

    // The four texts at once: setting them one by one repacks the record four times.
    shot.Texts.Update({ProfileNumberOf(fields[11]), fields[9], current ? fields[8] : std::string_view("L"), fields[6]});
    if (current) {
        shot.Elevation = field5;
    } else {
        shot.Heave = shot.Pitch = shot.Roll = shot.Tide = 0;
        shot.Elevation = options_.MapElevation ? 0 : field5;
        shot.DBT = options_.MapElevation ? field5 : 0;
    }
    return ReadError::None;
}

std::string_view JobRecordParser::ProfileNumberOf(std::string_view saved) {
    if (!haveProfile_ || saved != lastSavedProfile_) {
        lastSavedProfile_ = saved;
        lastProfileNumber_ = UpperAscii(saved) + options_.AppendToProfile;
        haveProfile_ = true;
    }
    return lastProfileNumber_;
}

} // namespace tolvanor
