// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/DeliverableWalk.h"

#include "core/Progress.h"

namespace tolvanor {

namespace {

void AddWritten(OutputResult& result, const std::string& path) {
    // An appending format in one-file-per-line mode may meet a name twice.
    if (std::find(result.FilesWritten.begin(), result.FilesWritten.end(), path) == result.FilesWritten.end()) {
        result.FilesWritten.push_back(path);
    }
}

OutputResult Failed(OutputResult result, const DeliverableWriter& writer) {
    const WriteFailure failure = writer.Failure();
    result.Status = OutputStatus::Failed;
    result.FailedPath = failure.Path;
    result.Reason = failure.Reason;
    return result;
}

} // namespace

OutputResult WriteDeliverable(const Job& job, const OutputOptions& options, std::string_view folder,
                              OutputFormat format, DeliverableWriter& writer, Progress* progress) {
    const bool perLine = options.Mode == FileMode::FilePerLine;
    const std::int32_t lastLine = std::min(job.LineCount, job.Data.LineBound());
    OutputResult result;
    std::string openPath;
    bool opened = false;

    for (std::int32_t line = 1; line <= lastLine; ++line) {
        ReportProgress(progress, line - 1, lastLine);
        if (job.Data.Header(line).LineIgnored()) continue;
        if (!opened || perLine) {
            openPath = perLine ? LineFilePath(folder, options.Prefix, job.LineName(line), format)
                               : SingleFilePath(folder, options.Prefix, format);
            if (!writer.Open(openPath)) {
                writer.Close();
                return Failed(std::move(result), writer);
            }
            opened = true;
        }
        if (!writer.WriteLine(job, line)) {
            writer.Close();
            return Failed(std::move(result), writer);
        }
        if (perLine) {
            opened = false;
            if (!writer.Close()) return Failed(std::move(result), writer);
            AddWritten(result, openPath);
        }
    }
    if (opened) {
        if (!writer.Close()) return Failed(std::move(result), writer);
        AddWritten(result, openPath);
    }
    ReportProgress(progress, lastLine, lastLine);
    result.Status = result.FilesWritten.empty() ? OutputStatus::NothingWritten : OutputStatus::Written;
    return result;
}

} // namespace tolvanor
