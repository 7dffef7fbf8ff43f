// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch/TerminalProgress.h"

namespace tolvanor::batch {

void TerminalProgress::Begin(std::string label) {
    Finish();
    label_ = std::move(label);
    shown_ = -1;
}

void TerminalProgress::Report(std::int64_t done, std::int64_t total) {
    if (total <= 0) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == shown_) return;
    shown_ = percent;
    active_ = true;
    std::fprintf(out_, "\r%s %3d%%", label_.c_str(), percent);
    std::fflush(out_);
}

void TerminalProgress::Finish() {
    if (!active_) return;
    std::fprintf(out_, "\r%*s\r", static_cast<int>(label_.size()) + 6, "");
    std::fflush(out_);
    active_ = false;
}

void TerminalProgress::Interrupt() {
    Finish();
    shown_ = -1;
}

} // namespace tolvanor::batch
