// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Progress.h"

#include <cstdio>
#include <string>

namespace tolvanor::batch {

// A one-line percentage on a terminal's error output, redrawn in place.
class TerminalProgress : public Progress {
public:
    explicit TerminalProgress(std::FILE* out) : out_(out) {}
    ~TerminalProgress() override { Finish(); }

    // Starts a new task; the label leads the line.
    void Begin(std::string label);
    void Report(std::int64_t done, std::int64_t total) override;
    // Clears the line so messages print cleanly.
    void Finish();
    // Clears the line for a message in the middle of the task; the next
    // report draws it again.
    void Interrupt();

private:
    std::FILE* out_;
    std::string label_;
    int shown_ = -1;
    bool active_ = false;
};

} // namespace tolvanor::batch
