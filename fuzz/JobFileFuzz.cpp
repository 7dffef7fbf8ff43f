// SPDX-License-Identifier: GPL-3.0-or-later
// The job reader on any text: a failed read leaves the job as it was; a
// job that reads is written and read back unchanged.
#include "FuzzSupport.h"
#include "core/JobFile.h"
#include "input/DataType.h"
#include "input/ReadData.h"

#include <cstdint>

using namespace tolvanor;

namespace {

ReadOptions JobOptions(bool mapElevation, const char* appendText) {
    ReadOptions options;
    options.DataType = static_cast<int>(DataType::SavedJob);
    options.MapElevation = mapElevation;
    options.AppendToProfile = appendText;
    return options;
}

void Preload(Job& job) {
    fuzzing::QuietPrompter prompter;
    MemorySource source(" 0, 0,0,0,0,0,,0,,,False,,0,0,0,0,0\n"
                        " 1, 0,2,5,6,45,,0,,,True,,0,0,0,0,0\n"
                        " 1, 1,1,5,6,1.5,PRO12,0,L,,False,12,0,0,0,0,0\n"
                        " 1, 2,2,7,8,1.25,PRO12 B,3.5,B,,False,12,1,2,3,4,5\n");
    ReadDataFrom(job, JobOptions(false, ""), source, prompter);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t choice = data[0];
    const std::size_t step = 1 + data[1] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

    Job job(8, 12);
    if ((choice & 0x01) != 0) Preload(job);
    const Job before = job;

    fuzzing::QuietPrompter prompter;
    fuzzing::TrickleSource source(text, step);
    const auto options = JobOptions((choice & 0x02) != 0, (choice & 0x04) != 0 ? "AD" : "");
    if (ReadDataFrom(job, options, source, prompter).Outcome == ReadOutcome::Failed) {
        const std::string difference = testing::JobDifference(job, before);
        if (!difference.empty()) fuzzing::Fail("a failed job read changed the job", difference);
        return 0;
    }
    fuzzing::CheckJobShape(job);

    // What was read is saved and reopened as it was.
    const std::string saved = JobFileText(job);
    Job reopened(8, 12);
    MemorySource again(saved);
    if (ReadDataFrom(reopened, JobOptions(false, ""), again, prompter).Outcome != ReadOutcome::Ok) {
        fuzzing::Fail("a saved job did not reopen", saved);
    }
    reopened.CurrentLine = job.CurrentLine;
    const std::string difference = testing::JobDifference(reopened, job);
    if (!difference.empty()) fuzzing::Fail("a saved job reopened differently", difference);
    if (JobFileText(reopened) != saved) fuzzing::Fail("a saved job saved again differently", saved);
    return 0;
}
