// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"
#include "input/FieldSplitter.h"
#include "input/ReadStop.h"

#include <string>
#include <string_view>

namespace tolvanor {

class Job;
class LineReader;
class Progress;
class ReadJournal;
struct ReadOptions;

// Reads a saved job (data type 5): each text line of 17 fields (or 12, the
// older layout) is one record, written in place at the line and shot it
// names. Other lines are passed over. Profile numbers are kept as saved
// (upper-cased, the append text added), never reformatted.
class JobFileReader {
public:
    JobFileReader(Job& job, const ReadOptions& options, ReadJournal& journal);

    ReadStop Read(LineReader& reader, Progress* progress, std::int64_t totalBytes);

private:
    using Fields = FieldSplitter<17>;

    ReadError ParseRecord(const Fields& fields, std::int32_t& line, std::int32_t& shot);
    void SetProfileNumber(std::string_view saved);

    Job& job_;
    const ReadOptions& options_;
    ReadJournal& journal_;
    ShotRecord working_;
    std::string lastSavedProfile_;
    std::string lastProfileNumber_;
    bool haveProfile_ = false;
};

} // namespace tolvanor
