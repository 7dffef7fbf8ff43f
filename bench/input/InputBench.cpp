// SPDX-License-Identifier: GPL-3.0-or-later
// Times reading a full-size Trimble file, and writing and reading back its
// job file. One measurement per run, so each run's peak memory is its own:
//   input_bench generate FILE          writes 1000 profiles x 2999 shots
//   input_bench read FILE              seconds, peak RSS, processor seconds of the read
//                                      and of its calling thread (which stores the shots)
//   input_bench read-lines FILE        the same read line after line on one thread
//   input_bench parse FILE             cutting and parsing the file on one thread, storing nothing
//   input_bench write-job FILE JOB     reads FILE, then times writing JOB
//   input_bench read-job JOB           seconds and peak RSS of reading JOB
//   input_bench fill                   seconds to store as many records without
//                                      reading anything: the memory's own cost
#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "core/JobFile.h"
#include "core/Prompter.h"
#include "input/ChunkedLines.h"
#include "input/DataType.h"
#include "input/LineReader.h"
#include "input/ReadData.h"
#include "input/ShotLineParser.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <sys/resource.h>

namespace {

using namespace tolvanor;
using Clock = std::chrono::steady_clock;

constexpr int Profiles = 1000;
constexpr int ShotsPerProfile = 2999;

class SilentPrompter : public Prompter {
public:
    using Prompter::Message;
    MessageAnswer Message(const MessageRequest& request) override {
        std::fprintf(stderr, "unexpected message: %s\n", request.Text.c_str());
        return MessageAnswer::Ok;
    }
    std::string Input(const InputRequest&) override { return {}; }
    std::string OpenFile(const FileDialogRequest&) override { return {}; }
    std::string SaveFile(const FileDialogRequest&) override { return {}; }
    std::string BrowseFolder(const FolderRequest&) override { return {}; }
};

// Profiles walk out from a baseline, a shot every 0.37 m, elevations falling
// from the dune into the water; every tenth shot carries a shot type.
int Generate(const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return 1;
    std::mt19937 random(42);
    std::uniform_int_distribution<int> noise(-4, 4);
    const char* types[] = {" B", " L", " W"};
    long seq = 0;
    char line[128];
    for (int profile = 1; profile <= Profiles; ++profile) {
        for (int shot = 1; shot <= ShotsPerProfile; ++shot) {
            const long eastingMm = 400000000L + profile * 25000L + shot * 370L + noise(random);
            const long northingMm = 5120000000L - profile * 9000L + shot * 120L + noise(random);
            const long elevationMm = 6500L - shot * 4L + noise(random);
            const char* type = shot % 10 == 0 ? types[(shot / 10) % 3] : "";
            const int length = std::snprintf(
                line, sizeof line, "%ld,%ld.%03ld,%ld.%03ld,%s%ld.%03ld,PRO%d%s\r\n", ++seq, eastingMm / 1000,
                eastingMm % 1000, northingMm / 1000, northingMm % 1000, elevationMm < 0 ? "-" : "",
                std::labs(elevationMm) / 1000, std::labs(elevationMm) % 1000, profile, type);
            std::fwrite(line, 1, static_cast<std::size_t>(length), file);
        }
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// User and system time of every thread of the process (or of the calling thread) so far.
double ProcessorSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool Read(Job& job, const char* path, DataType type, bool chunked = true) {
    SilentPrompter prompter;
    ReadOptions options;
    options.SourceFileName = path;
    options.DataType = static_cast<int>(type);
    FileSource source(path);
    const auto result = ReadDataFrom(job, options, source, prompter, ReadRoute{.Chunked = chunked});
    return result.Outcome == ReadOutcome::Ok && job.LineCount == Profiles &&
           job.ShotCount(job.LineCount) == ShotsPerProfile;
}

// Stores the records a full read stores, the way the reader stores them.
bool Fill(Job& job) {
    ShotRecord record;
    record.SetRemark("PRO1");
    for (std::int32_t line = 1; line <= Profiles; ++line) {
        job.Data.Reserve(line, job.Data.ShotBound() + 1);
        record.SetProfileNumber(std::to_string(line));
        for (std::int32_t shot = 1; shot <= ShotsPerProfile; ++shot) {
            record.SeqNum = shot;
            job.Data.Edit(line, shot) = record;
        }
        job.Data.EditHeader(line).ShotCount() = ShotsPerProfile;
    }
    job.LineCount = Profiles;
    return true;
}

// Every line of the file parsed into shots on this thread; nothing stored.
bool ParseOnly(const char* path) {
    ReadOptions options;
    options.DataType = static_cast<int>(DataType::Trimble);
    ShotLineParser parser(options, true);
    FileSource source(path);
    ChunkedLines chunks(source, {.Workers = 0});
    ShotRecord shot;
    std::int64_t accepted = 0;
    chunks.Run(
        [&](std::size_t, const Chunk& chunk) {
            ChunkLines lines(chunk.Text);
            ReadError error = ReadError::None;
            for (std::string_view line; lines.Next(line);) {
                accepted += parser.Parse(line, shot, error) == ShotLineParser::Verdict::Accepted ? 1 : 0;
            }
        },
        [](std::size_t, const Chunk&) { return true; });
    return accepted == std::int64_t{Profiles} * ShotsPerProfile;
}

template <typename Work> int Timed(Work work) {
    const double processorStart = ProcessorSeconds();
    const double threadStart = ProcessorSeconds(RUSAGE_THREAD);
    const auto start = Clock::now();
    const bool ok = work();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double processor = ProcessorSeconds() - processorStart;
    const double thread = ProcessorSeconds(RUSAGE_THREAD) - threadStart;
    if (!ok) {
        std::fprintf(stderr, "the work did not give the expected job\n");
        return 1;
    }
    std::printf("%.4f %ld %.4f %.4f\n", seconds, PeakRssKb(), processor, thread);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc == 3) return Generate(argv[2]);
    HugePageResource rowMemory;
    Job job(Job::DefaultMaxLines, Job::DefaultMaxShots, &rowMemory);
    if (command == "fill" && argc == 2) return Timed([&] { return Fill(job); });
    if (command == "read" && argc == 3) return Timed([&] { return Read(job, argv[2], DataType::Trimble); });
    if (command == "parse" && argc == 3) return Timed([&] { return ParseOnly(argv[2]); });
    if (command == "read-lines" && argc == 3) {
        return Timed([&] { return Read(job, argv[2], DataType::Trimble, false); });
    }
    if (command == "read-job" && argc == 3) return Timed([&] { return Read(job, argv[2], DataType::SavedJob); });
    if (command == "write-job" && argc == 4) {
        if (!Read(job, argv[2], DataType::Trimble)) return 1;
        return Timed([&] { return WriteJobFile(job, argv[3]).Ok; });
    }
    std::fprintf(stderr, "usage: input_bench generate|read|read-lines|read-job FILE, input_bench write-job FILE JOB\n");
    return 2;
}
