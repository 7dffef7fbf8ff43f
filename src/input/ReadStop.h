// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/ReadMessages.h"

#include <cstdint>
#include <string>

namespace tolvanor {

// How a reader ended: at the end of the source, at the line limit, or at
// an error with what its message needs.
struct ReadStop {
    ReadError Error = ReadError::None;
    std::string RawLine;
    std::int64_t JobLineCounter = 0;
    std::int64_t RecordsStored = 0;
    bool LineLimitReached = false;
    bool ShotLimitReached = false;
};

} // namespace tolvanor
