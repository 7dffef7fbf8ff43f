// SPDX-License-Identifier: GPL-3.0-or-later
// Times the deliverable writers on a full job of 1000 profiles x 2999 shots,
// built in memory, in single-file mode:
//   output_bench FOLDER    prints "<format> <seconds>" per writer alone, then
//                          "all <seconds> cpu <seconds>": the six written side
//                          by side as the output command writes them
// The job's five .csv columns follow the formula that bench/output/run gives
// pandas, so both write the same values.
#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "output/Deliverables.h"

#include "output/WriteOutputFiles.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

using namespace tolvanor;
using Clock = std::chrono::steady_clock;

constexpr int Profiles = 1000;
constexpr int ShotsPerProfile = 2999;

// Profiles walk out from a baseline, a shot every 0.37 m, elevations falling
// from the dune into the water, millimetre values as read from a field file;
// every tenth shot carries a shot type in its remark.
void FillJob(Job& job) {
    std::int32_t seq = 0;
    for (int profile = 1; profile <= Profiles; ++profile) {
        const std::string name = std::to_string(profile);
        const std::string remark = "PRO" + name;
        ShotRecord& header = job.Data.EditHeader(profile);
        header.ShotCount() = ShotsPerProfile;
        job.Data.Reserve(profile, ShotsPerProfile + 1);
        for (int shot = 1; shot <= ShotsPerProfile; ++shot) {
            const long noise = (profile * 31L + shot * 17L) % 9 - 4;
            ShotRecord& record = job.Data.Edit(profile, shot);
            record.SeqNum = ++seq;
            record.Easting = static_cast<double>(400000000L + profile * 25000L + shot * 370L + noise) / 1000.0;
            record.Northing = static_cast<double>(5120000000L - profile * 9000L + shot * 120L + noise) / 1000.0;
            record.Elevation = static_cast<float>(static_cast<double>(6500L - shot * 4L + noise) / 1000.0);
            record.DistDownRange = static_cast<float>(static_cast<double>(shot * 370L) / 1000.0);
            record.SetProfileNumber(name);
            record.SetRemark(shot % 10 == 0 ? remark + " B" : remark);
        }
    }
    job.LineCount = Profiles;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: output_bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    HugePageResource rowMemory;
    Job job(Job::DefaultMaxLines, Job::DefaultMaxShots, &rowMemory);
    FillJob(job);

    OutputOptions options;
    options.Prefix = "bench";
    options.LocalityCode = "AB";
    options.SurveyDate = "240515";
    options.SurveyType = SurveyTypeOption::BeforeDredge;

    // .se and .irp append: start each run from nothing.
    const auto removeAll = [&] {
        for (const OutputFormat format : AllOutputFormats)
            std::filesystem::remove(SingleFilePath(folder, options, format));
    };
    removeAll();
    for (const OutputFormat format : AllOutputFormats) {
        const auto start = Clock::now();
        const OutputResult result = WriteOutputFile(format, job, options, folder);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (result.Failed()) {
            std::fprintf(stderr, "%s: %s\n", result.FailedPath.c_str(), result.Reason.c_str());
            return 1;
        }
        std::printf("%s %.4f\n", std::string(FormatExtension(format).substr(1)).c_str(), seconds);
    }

    removeAll();
    const std::clock_t cpuStart = std::clock();
    const auto start = Clock::now();
    const auto results = WriteOutputFiles(AllOutputFormats, job, options, folder);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    for (const OutputResult& result : results) {
        if (!result.Failed()) continue;
        std::fprintf(stderr, "%s: %s\n", result.FailedPath.c_str(), result.Reason.c_str());
        return 1;
    }
    std::printf("all %.4f\ncpu %.4f\n", seconds, cpu);
    return 0;
}
