// SPDX-License-Identifier: GPL-3.0-or-later
// Real field surveys, turned into the layouts a crew would export them in.
#include "core/Job.h"
#include "core/JobFile.h"
#include "core/Text.h"
#include "input/DataType.h"
#include "input/InputTestSupport.h"
#include "input/LineReader.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

std::string RealData(std::string_view name) {
    return std::string(TOLVANOR_REALDATA) + "/" + std::string(name);
}

// Calls `row` with the fields of every line after the heading.
template <typename Row> bool ForEachRow(const std::string& path, Row row) {
    if (!std::filesystem::exists(path)) return false;
    FileSource source(path);
    LineReader reader(source);
    std::string_view line;
    reader.Next(line);
    while (reader.Next(line)) {
        if (!line.empty()) row(SplitFields(line, ','));
    }
    return true;
}

TEST(RealData, DuckSurveyReadAsTrimbleGivesOneLinePerProfile) {
    std::string trimble = "REM USACE FRF survey 1116\r\n";
    std::set<std::string> profiles;
    int shots = 0;
    // Columns: 1 profile, 5 easting, 6 northing, 9 elevation.
    const bool present = ForEachRow(RealData("FRF_FRF_20150915_1116_NAVD88_LARC_GPS_UTC.csv"), [&](const auto& f) {
        ++shots;
        profiles.insert(std::string(f[1]));
        trimble += std::to_string(shots) + "," + std::string(f[5]) + "," + std::string(f[6]) + "," + std::string(f[9]) +
                   ",PRO" + std::string(f[1]) + "\r\n";
    });
    if (!present) GTEST_SKIP() << "real survey data not present";

    Job job;
    ScriptedPrompter prompter;
    ReadOptions options;
    options.FormatProfileNumbers = false;
    MemorySource source(trimble);
    const auto result = ReadDataFrom(job, options, source, prompter);
    ASSERT_EQ(result.Outcome, ReadOutcome::Ok);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(result.RecordsStored, shots);
    ASSERT_EQ(job.LineCount, static_cast<std::int32_t>(profiles.size()));
    std::int64_t total = 0;
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        total += job.ShotCount(line);
        if (line > 1) {
            EXPECT_LT(job.LineName(line - 1), job.LineName(line));
        }
    }
    EXPECT_EQ(total, shots);

    // And the job survives a save and reopen.
    Job back;
    options.DataType = static_cast<int>(DataType::SavedJob);
    const auto text = JobFileText(job);
    MemorySource saved(text);
    ASSERT_EQ(ReadDataFrom(back, options, saved, prompter).Outcome, ReadOutcome::Ok);
    back.CurrentLine = job.CurrentLine;
    EXPECT_EQ(testing::JobDifference(back, job), "");
}

TEST(RealData, LongNewJerseyProfilesStopAtTheShotLimitWithOneMessage) {
    std::string xyz;
    int rows = 0;
    const bool present = ForEachRow(RealData("4Col_WithHeader.MA063-MA069.csv"), [&](const auto& f) {
        ++rows;
        xyz +=
            std::string(f[1]) + "," + std::string(f[2]) + "," + std::string(f[3]) + ",PRO" + std::string(f[0]) + "\n";
    });
    if (!present) GTEST_SKIP() << "real survey data not present";

    Job job;
    ScriptedPrompter prompter;
    ReadOptions options;
    options.DataType = static_cast<int>(DataType::ProcessedXyz);
    options.FormatProfileNumbers = false; // three digits would cut "MA063" to "063"
    MemorySource source(xyz);
    ASSERT_EQ(ReadDataFrom(job, options, source, prompter).Outcome, ReadOutcome::Ok);
    ASSERT_EQ(job.LineCount, 7);
    for (std::int32_t line = 1; line <= 7; ++line) EXPECT_EQ(job.ShotCount(line), 2999) << line;
    EXPECT_EQ(job.LineName(1), "MA063");
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0], "More than 3000 shots in profile MA063\r\nAll following data on this line will "
                                      "be ignored.");
    EXPECT_GT(rows, 7 * 2999);
}

} // namespace
} // namespace tolvanor
