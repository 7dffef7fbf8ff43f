// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tolvanor {

// Long work (reading, writing) reports how far it has got. A null pointer
// means nobody is listening.
class Progress {
public:
    virtual ~Progress() = default;
    // `done` out of `total` units (bytes, lines); total 0 when unknown.
    virtual void Report(std::int64_t done, std::int64_t total) = 0;
};

inline void ReportProgress(Progress* progress, std::int64_t done, std::int64_t total) {
    if (progress != nullptr) progress->Report(done, total);
}

} // namespace tolvanor
