// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/JobRecordParser.h"
#include "input/ReadStop.h"

#include <cstdint>

namespace tolvanor {

class ChunkedLines;
class Job;
class LineReader;
class Progress;
class ReadJournal;
struct ReadOptions;

// Reads a saved job (data type 5): each record line is written in place at
// the line and shot it names, in the order of the file; the last record
// read decides how many lines are in use.
class JobFileReader {
public:
    JobFileReader(Job& job, const ReadOptions& options, ReadJournal& journal);

    // Line after line on the calling thread.
    ReadStop Read(LineReader& reader, Progress* progress, std::int64_t totalBytes);
    // Chunks parsed side by side, written in order: the same job and stop as Read.
    ReadStop Read(ChunkedLines& chunks, Progress* progress, std::int64_t totalBytes);

private:
    void Write(const JobRecord& record, ReadStop& stop);
    void Finish();

    Job& job_;
    const ReadOptions& options_;
    ReadJournal& journal_;
    JobRecordParser parser_;
    bool storedAny_ = false;
    std::int32_t lastLine_ = 0;
};

} // namespace tolvanor
