// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"
#include "input/DataType.h"
#include "input/ElevationProcessing.h"
#include "input/FieldSplitter.h"
#include "input/ReadStop.h"

#include <string>
#include <string_view>

namespace tolvanor {

class Job;
class LineReader;
class Progress;
class Prompter;
class ShotStore;
struct ReadOptions;

// Reads the delimited layouts (every data type but the saved job): one shot
// per accepted line, stored through a ShotStore.
class ShotListReader {
public:
    ShotListReader(Job& job, const ReadOptions& options, ShotStore& store, Prompter& prompter);

    ReadStop Read(LineReader& reader, Progress* progress, std::int64_t totalBytes);

private:
    enum class LineVerdict { Accepted, Skipped, Failed };

    LineVerdict ParseLine(std::string_view raw, ReadStop& stop);
    // Columns 0 to 8 are the most any layout reads.
    using Fields = FieldSplitter<9>;

    ReadError ConvertColumns(const Fields& fields);
    void SetProfileTexts(std::string_view remark);
    ReadError AdjustElevation();

    Job& job_;
    const ReadOptions& options_;
    ShotStore& store_;
    Prompter& prompter_;
    ColumnMap columns_;
    ElevChange change_;
    ShotRecord working_;
    std::int64_t acceptedCounter_ = 0;

    // The profile number of the last remark, kept while shots of one
    // profile follow each other.
    bool haveProfile_ = false;
    bool lastNoNumber_ = false;
    std::string lastRawProfile_;
    std::string lastProfileNumber_;
};

} // namespace tolvanor
