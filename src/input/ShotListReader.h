// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"
#include "input/ReadStop.h"
#include "input/ShotLineParser.h"

#include <cstdint>
#include <string_view>

namespace tolvanor {

class ChunkedLines;
class Job;
class LineReader;
class Progress;
class Prompter;
class ShotStore;
struct ReadOptions;

// Reads the delimited layouts (every data type but the saved job): one shot
// per accepted line, stored through a ShotStore in the order of the lines,
// with the line and shot limit messages at the shot that meets them.
class ShotListReader {
public:
    ShotListReader(Job& job, const ReadOptions& options, ShotStore& store, Prompter& prompter);

    // Line after line on the calling thread.
    ReadStop Read(LineReader& reader, Progress* progress, std::int64_t totalBytes);
    // Chunks parsed side by side, stored in order: the same job, messages and stop as Read.
    ReadStop Read(ChunkedLines& chunks, Progress* progress, std::int64_t totalBytes);

private:
    // False when the read ends at this shot (the line limit).
    bool Store(ShotRecord& shot, ReadStop& stop);
    static void Fail(ReadStop& stop, ReadError error, std::string_view rawLine);

    Job& job_;
    const ReadOptions& options_;
    ShotStore& store_;
    Prompter& prompter_;
    ShotLineParser parser_;
    std::int64_t acceptedCounter_ = 0;
};

} // namespace tolvanor
