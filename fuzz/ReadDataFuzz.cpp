// SPDX-License-Identifier: GPL-3.0-or-later
// ReadData over every data type, into an empty job or onto one already
// loaded. A failed read must leave the job exactly as it was; any read
// must leave a job whose counts stay inside the table.
#include "FuzzSupport.h"
#include "input/DataType.h"
#include "input/ReadData.h"

#include <cstdint>

using namespace tolvanor;

namespace {

const char* const AppendTexts[] = {"", "BD", "x", "+-1"};
const char* const ElevChanges[] = {"", "2.5", "10%", "1e300"};

// A small job of three profiles, the second with a starting point.
void Preload(Job& job) {
    fuzzing::QuietPrompter prompter;
    MemorySource source("1,100,200,1.5,PRO1\n2,101,201,1.4,PRO1 B\n3,110,210,1,PRO3\n4,120,220,0.5,PRO5 L\n");
    ReadDataFrom(job, ReadOptions{}, source, prompter);
    auto& header = job.Data.EditHeader(2);
    header.StartEasting() = 100;
    header.StartNorthing() = 200;
    header.LineAngle() = 270;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t choice = data[0];
    const std::uint8_t more = data[1];
    const std::size_t step = 1 + data[2] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);

    ReadOptions options;
    options.DataType = choice % DataTypeCount;
    options.FormatProfileNumbers = (choice & 0x08) != 0;
    options.MapElevation = (choice & 0x10) != 0;
    options.ElevProcessing = (more & 0x07) % 6;
    options.ElevChange = ElevChanges[(more >> 3) & 3];
    options.AppendToProfile = AppendTexts[(more >> 5) & 3];

    // Small limits, so the line and shot limits are met often.
    Job job(8, 12);
    if ((choice & 0x20) != 0) Preload(job);
    const Job before = job;

    fuzzing::QuietPrompter prompter;
    fuzzing::TrickleSource source(text, step);
    const ReadResult result = ReadDataFrom(job, options, source, prompter);
    if (result.Outcome == ReadOutcome::Failed) {
        const std::string difference = testing::JobDifference(job, before);
        if (!difference.empty()) fuzzing::Fail("a failed read changed the job", difference);
        if (prompter.Messages == 0) fuzzing::Fail("a failed read said nothing", "");
    }
    fuzzing::CheckJobShape(job);
    return 0;
}
