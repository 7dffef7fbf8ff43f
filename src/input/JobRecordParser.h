// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"
#include "input/FieldSplitter.h"
#include "input/ReadMessages.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

struct ReadOptions;

// One record of a saved job and the place in the table it is written to.
struct JobRecord {
    std::int32_t Line = 0;
    std::int32_t Shot = 0;
    ShotRecord Record;
};

// Turns one text line of a saved job into a record: 17 fields, or 12 in the
// older layout; other lines are passed over. A record depends on its line
// alone (and the table's size), so lines may be parsed by several parsers
// at once. Profile numbers are kept as saved (upper-cased, the append text
// added), never reformatted.
class JobRecordParser {
public:
    enum class Verdict { Record, PassedOver, Failed };

    // `paddedLines`: as for ShotLineParser, lines followed by NumberPadding readable bytes.
    JobRecordParser(std::int32_t maxLines, std::int32_t shotBound, const ReadOptions& options,
                    bool paddedLines = false);

    Verdict Parse(std::string_view text, JobRecord& record, ReadError& error);

private:
    using Fields = FieldSplitter<17>;

    ReadError ParseFields(const Fields& fields, JobRecord& record);
    // The record's profile number: the saved one upper-cased, the append text added.
    std::string_view ProfileNumberOf(std::string_view saved);

    ReadError ToInteger(std::string_view text, std::int32_t& value) const noexcept;
    ReadError ToBoolean(std::string_view text, bool& value) const noexcept;
    ReadError ToDouble(std::string_view text, double& value) const noexcept;
    ReadError ToFloat(std::string_view text, float& value) const noexcept;

    std::int32_t maxLines_;
    std::int32_t shotBound_;
    const ReadOptions& options_;
    bool padded_;
    std::string lastSavedProfile_;
    std::string lastProfileNumber_;
    bool haveProfile_ = false;
};

} // namespace tolvanor
