// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"
#include "input/DataType.h"
#include "input/ElevationProcessing.h"
#include "input/FieldSplitter.h"
#include "input/ReadMessages.h"

#include <string>
#include <string_view>

namespace tolvanor {

struct ReadOptions;

// Turns one line of a delimited layout (every data type but the saved job)
// into a shot. A line's shot depends on that line alone, so lines may be
// parsed in any order, by as many parsers as there are threads.
class ShotLineParser {
public:
    enum class Verdict { Accepted, Skipped, Failed };

    // `paddedLines`: every line given lies in memory followed by at least
    // NumberPadding readable bytes, so the faster number conversions apply.
    explicit ShotLineParser(const ReadOptions& options, bool paddedLines = false);

    // Accepted: `shot` holds the line's shot; its SeqNum only when the
    // layout has that column (see NumbersShots). Skipped: a comment or blank
    // line, or a remark that names no profile. Failed: `error` says why.
    Verdict Parse(std::string_view raw, ShotRecord& shot, ReadError& error);

    // The layout has no sequence column: the reader numbers the accepted shots 1, 2, 3...
    bool NumbersShots() const noexcept { return columns_.SeqNum < 0; }

private:
    // Columns 0 to 8 are the most any layout reads.
    using Fields = FieldSplitter<9>;

    ReadError ConvertColumns(const Fields& fields, ShotRecord& shot) const;
    // The remark and the three texts that follow from it.
    void SetProfileTexts(std::string_view remark, ShotRecord& shot);
    ReadError AdjustElevation(ShotRecord& shot) const;

    const ReadOptions& options_;
    bool padded_;
    ColumnMap columns_;
    ElevChange change_;

    // The profile number of the last remark, kept while shots of one
    // profile follow each other.
    bool haveProfile_ = false;
    bool lastNoNumber_ = false;
    std::string lastRawProfile_;
    std::string lastProfileNumber_;
};

} // namespace tolvanor
