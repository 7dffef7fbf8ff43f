// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/JobFileReader.h"

#include "core/Job.h"
#include "core/Progress.h"
#include "input/ChunkedLines.h"
#include "input/LineReader.h"
#include "input/ReadJournal.h"

#include <memory>
#include <string>
#include <vector>

namespace tolvanor {

namespace {

constexpr std::int64_t ProgressEveryLines = 1 << 16;
constexpr std::int64_t ProgressEveryBytes = std::int64_t{2} << 20;

// What a worker made of one chunk: its records in order, the text lines
// it read, and the first line that failed, if one did.
struct ParsedRecords {
    ParsedRecords(const Job& job, const ReadOptions& options)
        : Parser(job.MaxLines, job.Data.ShotBound(), options, true) {}
    JobRecordParser Parser;
    std::vector<JobRecord> Records; // the front Count are this chunk's
    std::size_t Count = 0;
    std::int64_t TextLines = 0; // up to and with the failed line
    ReadError Error = ReadError::None;
    std::string FailedLine;

    void Parse(std::string_view text) {
        Count = 0;
        TextLines = 0;
        Error = ReadError::None;
        ChunkLines lines(text);
        std::string_view line;
        while (lines.Next(line)) {
            ++TextLines;
            // Parsed in place: every field is set, and the texts the slot held
            // (a record of the chunk before) mostly stay, so they are not repacked.
            if (Count == Records.size()) Records.emplace_back();
            const auto verdict = Parser.Parse(line, Records[Count], Error);
            if (verdict == JobRecordParser::Verdict::Record) ++Count;
            if (verdict == JobRecordParser::Verdict::Failed) {
                FailedLine = std::string(line);
                return;
            }
        }
    }
};

} // namespace

JobFileReader::JobFileReader(Job& job, const ReadOptions& options, ReadJournal& journal)
    : job_(job), options_(options), journal_(journal), parser_(job.MaxLines, job.Data.ShotBound(), options) {}

ReadStop JobFileReader::Read(LineReader& reader, Progress* progress, std::int64_t totalBytes) {
    ReadStop stop;
    JobRecord record;
    std::string_view text;
    while (reader.Next(text)) {
        ++stop.JobLineCounter;
        if ((stop.JobLineCounter % ProgressEveryLines) == 0) ReportProgress(progress, reader.BytesRead(), totalBytes);
        ReadError error = ReadError::None;
        switch (parser_.Parse(text, record, error)) {
        case JobRecordParser::Verdict::PassedOver:
            continue;
        case JobRecordParser::Verdict::Failed:
            stop.Error = error;
            stop.RawLine = std::string(text);
            return stop;
        case JobRecordParser::Verdict::Record:
            Write(record, stop);
            break;
        }
    }
    if (reader.Failed()) {
        stop.Error = ReadError::Open;
        return stop;
    }
    Finish();
    return stop;
}

ReadStop JobFileReader::Read(ChunkedLines& chunks, Progress* progress, std::int64_t totalBytes) {
    std::vector<std::unique_ptr<ParsedRecords>> parsed;
    for (std::size_t slot = 0; slot < chunks.SlotCount(); ++slot) {
        parsed.push_back(std::make_unique<ParsedRecords>(job_, options_));
    }
    ReadStop stop;
    std::int64_t reported = 0;
    bool complete = false;
    const auto parse = [&](std::size_t slot, const Chunk& chunk) { parsed[slot]->Parse(chunk.Text); };
    const auto consume = [&](std::size_t slot, const Chunk& chunk) {
        const ParsedRecords& records = *parsed[slot];
        for (std::size_t i = 0; i < records.Count; ++i) Write(records.Records[i], stop);
        stop.JobLineCounter += records.TextLines;
        if (records.Error != ReadError::None) {
            stop.Error = records.Error;
            stop.RawLine = records.FailedLine;
            return false;
        }
        if (chunk.SourceFailed) {
            stop.Error = ReadError::Open;
            return false;
        }
        if (chunk.BytesRead - reported >= ProgressEveryBytes) {
            reported = chunk.BytesRead;
            ReportProgress(progress, reported, totalBytes);
        }
        complete = chunk.Last;
        return true;
    };
    chunks.Run(parse, consume);
    if (complete) Finish();
    return stop;
}

void JobFileReader::Write(const JobRecord& record, ReadStop& stop) {
    // A header comes before its shots: make room for all of them at once.
    if (record.Shot == 0) job_.Data.Reserve(record.Line, record.Record.ShotCount() + 1);
    journal_.BeforeWrite(record.Line, record.Shot);
    job_.Data.Edit(record.Line, record.Shot) = record.Record;
    ++stop.RecordsStored;
    storedAny_ = true;
    lastLine_ = record.Line;
}

// The last record read decides how many lines are in use.
void JobFileReader::Finish() {
    if (storedAny_) job_.LineCount = lastLine_;
}

} // namespace tolvanor
