// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

class Job;
class Progress;

struct JobFileStatus {
    bool Ok = true;
    std::string Reason; // the system's reason when not Ok
};

// Writes the whole job as a job file: for every line 0..LineCount its header
// and shots 1..ShotCount, one text line of 17 comma-separated fields each,
// CR LF line ends. Written as an AtomicFile: a failed or interrupted save
// leaves any earlier file exactly as it was. The text is made in blocks of
// lines on `workers` threads (0: one per processor, at most four) and
// written in order on the calling thread, which alone reports progress; the
// bytes are the same for any number of workers.
JobFileStatus WriteJobFile(const Job& job, const std::string& path, Progress* progress = nullptr, unsigned workers = 0);

// The text WriteJobFile writes.
std::string JobFileText(const Job& job, unsigned workers = 0);

} // namespace tolvanor
