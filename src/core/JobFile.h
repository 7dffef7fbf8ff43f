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
// leaves any earlier file exactly as it was.
JobFileStatus WriteJobFile(const Job& job, const std::string& path, Progress* progress = nullptr);

// The text WriteJobFile writes.
std::string JobFileText(const Job& job);

} // namespace tolvanor
