// SPDX-License-Identifier: GPL-3.0-or-later
// A real field survey, turned into the layout a crew would export it in.
#include "core/Text.h"
#include "input/InputTestSupport.h"

#include <set>

namespace tolvanor {
namespace {

TEST(RealData, DuckSurveyReadAsTrimbleGivesOneLinePerProfileInOrder) {
    std::ifstream in(TOLVANOR_REALDATA "/FRF_FRF_20150915_1116_NAVD88_LARC_GPS_UTC.csv");
    if (!in) GTEST_SKIP() << "real survey data not present";
    std::string trimble = "REM USACE FRF survey 1116\r\n";
    std::set<std::string> profiles;
    int shots = 0;
    std::string row;
    for (std::getline(in, row); std::getline(in, row);) { // columns: 1 profile, 5 E, 6 N, 9 elevation
        const auto f = SplitFields(row, ',');
        if (f.size() < 10) continue;
        profiles.emplace(f[1]);
        trimble += std::to_string(++shots) + "," + std::string(f[5]) + "," + std::string(f[6]) + "," +
                   std::string(f[9]) + ",PRO" + std::string(f[1]) + "\r\n";
    }
    Job job;
    testing::ScriptedPrompter prompter;
    const auto result = testing::ReadText(job, trimble, prompter, testing::Options(DataType::Trimble, false));
    ASSERT_EQ(result.Outcome, ReadOutcome::Ok);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(result.RecordsStored, shots);
    ASSERT_EQ(job.LineCount, static_cast<std::int32_t>(profiles.size()));
    for (std::int32_t line = 2; line <= job.LineCount; ++line) EXPECT_LT(job.LineName(line - 1), job.LineName(line));

    // Small chunks on several workers give the job a line-by-line read gives.
    for (const ReadRoute route : {ReadRoute{.Chunked = false}, ReadRoute{.Chunks = {3, 4096}}}) {
        Job other;
        MemorySource source(trimble);
        ReadDataFrom(other, testing::Options(DataType::Trimble, false), source, prompter, route);
        EXPECT_EQ(testing::JobDifference(other, job), "") << route.Chunked;
    }
}

} // namespace
} // namespace tolvanor
