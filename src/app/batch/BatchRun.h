// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batch/BatchOptions.h"

#include <cstdio>

namespace tolvanor::batch {

// Exit statuses of tolvanor-batch.
enum ExitStatus : int {
    ExitDone = 0,
    ExitFailed = 1,  // a source unreadable or empty, output refused, a file not written
    ExitUsage = 2,   // a mistake on the command line
    ExitSkipped = 3, // only formats skipped because their files existed
    ExitLimited = 4, // a line or shot limit was met while reading: data was left out
};

// Runs what a user does in the windows: New File with the first source,
// Append Data with each further one (the editor refreshed after each),
// Generate Output, then Save Data. Messages go to `messages`; progress is
// drawn there when `showProgress` is set.
int RunBatch(const BatchOptions& options, std::FILE* messages, bool showProgress);

} // namespace tolvanor::batch
