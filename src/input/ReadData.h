// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/ChunkedLines.h"
#include "input/ReadOptions.h"

#include <cstdint>

namespace tolvanor {

class ByteSource;
class Job;
class Progress;
class Prompter;

enum class ReadOutcome {
    Ok,     // the source was read to its end, or up to the line limit (its message shown)
    Failed, // a read error was shown; the job is exactly as it was before the read
};

struct ReadResult {
    ReadOutcome Outcome = ReadOutcome::Ok;
    std::int64_t RecordsStored = 0; // shots stored (records, for a saved job)
    bool LineLimitReached = false;  // a profile found no room; the read ended there
    bool ShotLimitReached = false;  // a line was full; its later shots were left out
};

// Reads the source file named in the options into the job, adding to what
// the job holds. Every message (read errors, the line and shot limits) goes
// through the prompter. A failed read puts the job back as it was.
ReadResult ReadData(Job& job, const ReadOptions& options, Prompter& prompter, Progress* progress = nullptr);

// How a read runs: in chunks parsed side by side (the usual way), or line
// after line on the calling thread. Both give the same job, messages and result.
struct ReadRoute {
    bool Chunked = true;
    ChunkSettings Chunks;
};

// The same from any byte source; the options' file name is not used.
ReadResult ReadDataFrom(Job& job, const ReadOptions& options, ByteSource& source, Prompter& prompter,
                        Progress* progress = nullptr);
ReadResult ReadDataFrom(Job& job, const ReadOptions& options, ByteSource& source, Prompter& prompter,
                        const ReadRoute& route, Progress* progress = nullptr);

} // namespace tolvanor
