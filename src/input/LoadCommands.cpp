// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/LoadCommands.h"

#include "core/Job.h"
#include "core/Prompter.h"
#include "input/ReadData.h"
#include "processing/FieldHelpers.h"

namespace tolvanor {

namespace {

bool UserKeepsUnsavedWork(Prompter& prompter) {
    MessageRequest request;
    request.Text =
        "Data has changed but you have not saved your work.\rDo you want to discard it and load the new file?";
    request.Buttons = MessageButtons::YesNo;
    request.Icon = MessageIcon::Exclamation;
    request.Default = DefaultButton::Second;
    return prompter.Message(request) != MessageAnswer::Yes;
}

LoadResult Stopped(LoadOutcome outcome, const Job& job) {
    return {outcome, job.LineCount, job.LineCount, 0, false, false};
}

} // namespace

LoadResult AppendData(Job& job, const ReadOptions& options, Prompter& prompter, Progress* progress) {
    if (options.SourceFileName.empty()) {
        prompter.Message({"Please select a source file", {}, MessageButtons::Ok, MessageIcon::Exclamation});
        return Stopped(LoadOutcome::NoSourceFile, job);
    }
    if (!FileExists(options.SourceFileName)) {
        prompter.Message({"Selected source file does not exist.  Please select another file.", "Error",
                          MessageButtons::Ok, MessageIcon::Exclamation});
        return Stopped(LoadOutcome::SourceMissing, job);
    }

    LoadResult result{LoadOutcome::Loaded, job.LineCount, job.LineCount, 0, false, false};
    const ReadResult read = ReadData(job, options, prompter, progress);
    result.RecordsStored = read.RecordsStored;
    result.LineLimitReached = read.LineLimitReached;
    result.ShotLimitReached = read.ShotLimitReached;
    // The read has shown its message and put the job back: nothing more to say.
    if (read.Outcome == ReadOutcome::Failed) {
        result.Outcome = LoadOutcome::ReadFailed;
        return result;
    }
    if (job.LineCount < 0) job.LineCount = 0;
    result.LinesAfter = job.LineCount;
    if (job.LineCount == 0) {
        prompter.Message("No data in the selected format was found in the input file.\r\n"
                         "Please check your format selection to make sure it matches the source data.");
        result.Outcome = LoadOutcome::NoData;
    }
    return result;
}

LoadResult NewFile(Job& job, const ReadOptions& options, Prompter& prompter, Progress* progress) {
    if (job.DataChanged && UserKeepsUnsavedWork(prompter)) return Stopped(LoadOutcome::Cancelled, job);
    job.NewFile();
    // What was unsaved has just been discarded.
    job.DataChanged = false;
    return AppendData(job, options, prompter, progress);
}

} // namespace tolvanor
