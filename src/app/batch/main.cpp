// SPDX-License-Identifier: GPL-3.0-or-later
// tolvanor-batch: the whole survey pipeline from the command line.
#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRun.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    int exitStatus = 0;
    const auto options = tolvanor::batch::ParseBatchOptions(argc, argv, exitStatus);
    if (!options) return exitStatus;
    // Past a file-size limit a write then fails and is reported, instead of
    // the signal ending the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    const bool onTerminal = isatty(fileno(stderr)) != 0;
    return tolvanor::batch::RunBatch(*options, stderr, onTerminal);
}
