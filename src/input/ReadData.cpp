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

// Reads with `reader`, from the source's lines or its chunks.
template <typename Reader>
ReadStop ReadBy(Reader& reader, ByteSource& source, const ReadRoute& route, Progress* progress) {
    if (!route.Chunked) {
        LineReader lines(source);
        return reader.Read(lines, progress, source.Size());
    }
    ChunkedLines chunks(source, route.Chunks);
    return reader.Read(chunks, progress, source.Size());
}

ReadStop ReadWithLayout(Job& job, const ReadOptions& options, ByteSource& source, ReadJournal& journal,
                        Prompter& prompter, const ReadRoute& route, Progress* progress) {
    if (options.DataType < 0 || options.DataType >= DataTypeCount) return ReadStop{ReadError::Other};
    if (static_cast<DataType>(options.DataType) == DataType::SavedJob) {
        JobFileReader reader(job, options, journal);
        return ReadBy(reader, source, route, progress);
    }
    ShotStore store(job, &journal);
    ShotListReader reader(job, options, store, prompter);
    return ReadBy(reader, source, route, progress);
}

ReadResult Failed(Prompter& prompter, const ReadStop& stop) {
    prompter.Message(ReadErrorMessage(stop.Error, stop.RawLine, stop.JobLineCounter));
    return {ReadOutcome::Failed, 0, false, false};
}

} // namespace

ReadResult ReadDataFrom(Job& job, const ReadOptions& options, ByteSource& source, Prompter& prompter,
                        Progress* progress) {
    return ReadDataFrom(job, options, source, prompter, ReadRoute{}, progress);
}

ReadResult ReadDataFrom(Job& job, const ReadOptions& options, ByteSource& source, Prompter& prompter,
                        const ReadRoute& route, Progress* progress) {
    ReadJournal journal(job);
    const ReadStop stop = ReadWithLayout(job, options, source, journal, prompter, route, progress);
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
