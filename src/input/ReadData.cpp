// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ReadData.h"

#include "core/Progress.h"
#include "core/Prompter.h"
#include "input/AddShot.h"
#include "input/DataType.h"
#include "input/JobFileReader.h"
#include "input/LineReader.h"
#include "input/ReadJournal.h"
#include "input/ShotListReader.h"

namespace tolvanor {

namespace {

ReadStop ReadWithLayout(Job& job, const ReadOptions& options, ByteSource& source, ReadJournal& journal,
                        Prompter& prompter, Progress* progress) {
    if (options.DataType < 0 || options.DataType >= DataTypeCount) return ReadStop{ReadError::Other};
    LineReader reader(source);
    if (static_cast<DataType>(options.DataType) == DataType::SavedJob) {
        return JobFileReader(job, options, journal).Read(reader, progress, source.Size());
    }
    ShotStore store(job, &journal);
    return ShotListReader(job, options, store, prompter).Read(reader, progress, source.Size());
}

ReadResult Failed(Prompter& prompter, const ReadStop& stop) {
    prompter.Message(ReadErrorMessage(stop.Error, stop.RawLine, stop.JobLineCounter));
    return {ReadOutcome::Failed, 0, false, false};
}

} // namespace

ReadResult ReadDataFrom(Job& job, const ReadOptions& options, ByteSource& source, Prompter& prompter,
                        Progress* progress) {
    ReadJournal journal(job);
    const ReadStop stop = ReadWithLayout(job, options, source, journal, prompter, progress);
    if (stop.Error != ReadError::None) {
        // Nothing of a file that could not be read is kept.
        journal.Restore();
        return Failed(prompter, stop);
    }
    ReportProgress(progress, source.Size(), source.Size());
    return {ReadOutcome::Ok, stop.RecordsStored, stop.LineLimitReached, stop.ShotLimitReached};
}

ReadResult ReadData(Job& job, const ReadOptions& options, Prompter& prompter, Progress* progress) {
    FileSource source(options.SourceFileName);
    if (!source.IsOpen()) return Failed(prompter, ReadStop{ReadError::Open});
    return ReadDataFrom(job, options, source, prompter, progress);
}

} // namespace tolvanor
