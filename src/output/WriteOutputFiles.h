// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/OutputFormat.h"
#include "output/OutputOptions.h"
#include "output/OutputResult.h"

#include <span>
#include <string_view>
#include <vector>

namespace tolvanor {

class Job;
class Progress;

// How many formats are written side by side: one per processor, at least
// one, at most four (the disk, not the processors, limits more).
unsigned OutputWorkerCount() noexcept;

// Writes every given format, each into its own files, several at once on
// worker threads (`workers` 0: OutputWorkerCount()). The results come back
// in the order of `formats` and are exactly what WriteOutputFile gives one
// format at a time. Progress is reported on the calling thread only, over
// all formats together. Throws nothing: a writer that cannot run (no memory,
// no thread) gives a failed result.
std::vector<OutputResult> WriteOutputFiles(std::span<const OutputFormat> formats, const Job& job,
                                           const OutputOptions& options, std::string_view folder,
                                           Progress* progress = nullptr, unsigned workers = 0);

} // namespace tolvanor
