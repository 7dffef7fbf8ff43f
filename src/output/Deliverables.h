// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/OutputFormat.h"
#include "output/OutputOptions.h"
#include "output/OutputResult.h"

#include <string_view>

namespace tolvanor {

class Job;
class Progress;

// The deliverable writers. Each walks lines 1..LineCount (ignored lines and
// ignored shots left out) and writes into `folder`: F/P.ext in single-file
// mode, F/P_N.ext per line otherwise. .csv, .xyz, .rer and .xls files are
// created or replaced, .se and .irp files appended to. A writer never changes
// the job, shows nothing and throws nothing: it stops at its first failure
// and returns the path and the system's reason.
OutputResult WriteCSVFile(const Job& job, const OutputOptions& options, std::string_view folder,
                          Progress* progress = nullptr);
OutputResult WriteXYZFile(const Job& job, const OutputOptions& options, std::string_view folder,
                          Progress* progress = nullptr);
OutputResult WriteISRPFile(const Job& job, const OutputOptions& options, std::string_view folder,
                           Progress* progress = nullptr);
OutputResult WriteSEFile(const Job& job, const OutputOptions& options, std::string_view folder,
                         Progress* progress = nullptr);
OutputResult WriteRERFile(const Job& job, const OutputOptions& options, std::string_view folder,
                          Progress* progress = nullptr);
OutputResult WriteXLSFile(const Job& job, const OutputOptions& options, std::string_view folder,
                          Progress* progress = nullptr);

// The writer of one format.
OutputResult WriteOutputFile(OutputFormat format, const Job& job, const OutputOptions& options, std::string_view folder,
                             Progress* progress = nullptr);

} // namespace tolvanor
