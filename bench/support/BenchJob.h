// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks share: a full-size job in the programs' row memory,
// shore lines laid out one beside the next, a prompter that answers by
// default, and wall and processor time of a piece of work.
#pragma once

#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "core/Prompter.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace tolvanor::bench {

constexpr std::int32_t FullLines = 1000;
constexpr std::int32_t FullShots = 2999;

// Answers every question with its default button and prints each message on
// the error output, so an unexpected one shows beside the figures.
class BenchPrompter : public Prompter {
public:
    // With `questionsExpected`, only plain messages (an OK button alone) are printed.
    explicit BenchPrompter(bool questionsExpected = false) : questionsExpected_(questionsExpected) {}
    using Prompter::Message;
    MessageAnswer Message(const MessageRequest& request) override;
    std::string Input(const InputRequest&) override { return {}; }
    std::string OpenFile(const FileDialogRequest&) override { return {}; }
    std::string SaveFile(const FileDialogRequest&) override { return {}; }
    std::string BrowseFolder(const FolderRequest&) override { return {}; }

private:
    bool questionsExpected_;
};

// A job as large as the programs allow, its rows in huge-page memory.
struct FullJob {
    HugePageResource RowMemory;
    Job Data{Job::DefaultMaxLines, Job::DefaultMaxShots, &RowMemory};
};

// Lines 1..`lines` filled by `fillLine(job, line)`, then counted.
template <typename FillLine> void FillLines(Job& job, std::int32_t lines, FillLine&& fillLine) {
    for (std::int32_t line = 1; line <= lines; ++line) fillLine(job, line);
    job.LineCount = lines;
}

// A shore line's header: starting points step 25 m east and 10 m south from
// line to line, every line running out at line angle 289. A copy of the
// header is returned: editing the line's shots may move its records.
ShotRecord StartShoreLine(Job& job, std::int32_t line, std::int32_t shots);

struct Position {
    double Easting = 0;
    double Northing = 0;
};

// The point `distance` metres out along a shore line from its starting point.
Position DownShoreLine(const ShotRecord& header, double distance);

// A shot's sequence number, profile number, the remark "PRO <profile>" and its type.
void NameShot(ShotRecord& record, std::int32_t shot, const std::string& profile, const char* type);

struct Timing {
    double Wall = 0; // seconds
    double Cpu = 0;  // seconds of processor time, all threads of the process
};

// On a shared machine the processor time tells the work's own cost from the
// time it waited for a processor.
template <typename Work> Timing Measure(Work&& work) {
    const auto wallStart = std::chrono::steady_clock::now();
    const auto cpuStart = std::clock();
    work();
    const auto cpuEnd = std::clock();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count(),
            static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC};
}

// Processor time of the calling thread, in seconds.
double ThreadSeconds();

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace tolvanor::bench
