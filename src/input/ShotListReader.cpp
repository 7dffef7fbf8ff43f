// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ShotListReader.h"

#include "core/Job.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "input/AddShot.h"
#include "input/ChunkedLines.h"
#include "input/LineReader.h"
#include "input/ReadMessages.h"
#include "input/ReadOptions.h"

#include <memory>
#include <vector>

namespace tolvanor {

namespace {

constexpr std::int64_t ProgressEveryLines = 1 << 16;
constexpr std::int64_t ProgressEveryBytes = std::int64_t{2} << 20;

// What a worker made of one chunk: its accepted shots in order, then the
// first line that failed, if one did.
struct ParsedShots {
    explicit ParsedShots(const ReadOptions& options) : Parser(options, true) {}
    ShotLineParser Parser;
    ShotRecord Working;
    std::vector<ShotRecord> Shots; // the front Count are this chunk's
    std::size_t Count = 0;
    ReadError Error = ReadError::None;
    std::string FailedLine;

    void Parse(std::string_view text) {
        Count = 0;
        Error = ReadError::None;
        ChunkLines lines(text);
        std::string_view line;
        while (lines.Next(line)) {
            // One working record: its texts stay while shots of one profile follow each other.
            const auto verdict = Parser.Parse(line, Working, Error);
            if (verdict == ShotLineParser::Verdict::Accepted) {
                if (Count == Shots.size()) Shots.emplace_back();
                Shots[Count++] = Working;
            }
            if (verdict == ShotLineParser::Verdict::Failed) {
                FailedLine = std::string(line);
                return;
            }
        }
    }
};

} // namespace

ShotListReader::ShotListReader(Job& job, const ReadOptions& options, ShotStore& store, Prompter& prompter)
    : job_(job), options_(options), store_(store), prompter_(prompter), parser_(options) {}

ReadStop ShotListReader::Read(LineReader& reader, Progress* progress, std::int64_t totalBytes) {
    ReadStop stop;
    std::int64_t linesRead = 0;
    ShotRecord shot;
    std::string_view line;
    while (reader.Next(line)) {
        if ((++linesRead % ProgressEveryLines) == 0) ReportProgress(progress, reader.BytesRead(), totalBytes);
        ReadError error = ReadError::None;
        switch (parser_.Parse(line, shot, error)) {
        case ShotLineParser::Verdict::Skipped:
            continue;
        case ShotLineParser::Verdict::Failed:
            Fail(stop, error, line);
            return stop;
        case ShotLineParser::Verdict::Accepted:
            if (!Store(shot, stop)) return stop;
            break;
        }
    }
    if (reader.Failed()) stop.Error = ReadError::Open;
    return stop;
}

ReadStop ShotListReader::Read(ChunkedLines& chunks, Progress* progress, std::int64_t totalBytes) {
    std::vector<std::unique_ptr<ParsedShots>> parsed;
    for (std::size_t slot = 0; slot < chunks.SlotCount(); ++slot)
        parsed.push_back(std::make_unique<ParsedShots>(options_));

    ReadStop stop;
    std::int64_t reported = 0;
    const auto parse = [&](std::size_t slot, const Chunk& chunk) { parsed[slot]->Parse(chunk.Text); };
    const auto consume = [&](std::size_t slot, const Chunk& chunk) {
        ParsedShots& shots = *parsed[slot];
        for (std::size_t i = 0; i < shots.Count; ++i) {
            if (!Store(shots.Shots[i], stop)) return false;
        }
        if (shots.Error != ReadError::None) {
            Fail(stop, shots.Error, shots.FailedLine);
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
        return true;
    };
    chunks.Run(parse, consume);
    return stop;
}

bool ShotListReader::Store(ShotRecord& shot, ReadStop& stop) {
    // The counter numbers the shots of layouts without a sequence column.
    ++acceptedCounter_;
    if (parser_.NumbersShots()) shot.SeqNum = static_cast<std::int32_t>(acceptedCounter_);
    switch (store_.Add(shot)) {
    case AddShotResult::Stored:
        ++stop.RecordsStored;
        break;
    case AddShotResult::TooManyLines:
        prompter_.Message(LineLimitMessage(job_.MaxLines, job_.LineLimitProfile));
        stop.LineLimitReached = true;
        return false;
    case AddShotResult::LineFull:
        if (!stop.ShotLimitReached) {
            prompter_.Message(ShotLimitMessage(job_.MaxShots, job_.ShotLimitProfile));
            stop.ShotLimitReached = true;
        }
        break;
    }
    return true;
}

void ShotListReader::Fail(ReadStop& stop, ReadError error, std::string_view rawLine) {
    stop.Error = error;
    stop.RawLine = std::string(rawLine);
}

} // namespace tolvanor
