// SPDX-License-Identifier: GPL-3.0-or-later
// tolvanor-batch --analysis: the sample survey analysed as its deliverables
// see it, the settings a user can get wrong, and a file that cannot be written.
#include "analysis/AnalyseJob.h"
#include "analysis/ProfileTemplates.h"
#include "analysis/WriteAnalysisCSV.h"
#include "core/Job.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include "BatchTestSupport.h"

namespace tolvanor {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;

class BatchAnalysis : public testing::BatchRun {
protected:
    std::vector<std::string> SampleRun(std::vector<std::string> more) const {
        // clang-format off
        std::vector<std::string> args{Sample("survey.tvn"), "--type", "5", "--no-three-digits",
            "--sort", "6", "--spf", Sample("survey.spf"), "--formats", "csv", "--posn", "3",
            "--thin-method", "1", "--thin-inc", "5", "--out", "out", "--prefix", "beach"};
        // clang-format on
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

// The analysis written by the run equals the core's analysis of the job the
// run saved: normalized and thinned as the deliverables were.
TEST_F(BatchAnalysis, AnalysesTheLinesAsTheDeliverablesSeeThem) {
    const std::string tvt = Sample("survey.tvt");
    const auto run =
        Batch(SampleRun({"--analysis", "out/beach-analysis.csv", "--datum", "0", "--limits", "400,0", "--contours",
                         "2.5,0,,-4", "--profile-template", tvt, "--save-job", "out/survey"}));
    ASSERT_EQ(run.Status, 0) << run.Err;

    Job saved;
    testing::ScriptedPrompter prompter;
    ReadOptions read{
        .SourceFileName = (work_ / "out" / "survey.tvn").string(), .DataType = 5, .FormatProfileNumbers = false};
    ASSERT_EQ(ReadData(saved, read, prompter).Outcome, ReadOutcome::Ok);
    ProfileTemplates templates;
    ASSERT_TRUE(templates.Read(tvt, false));
    AnalysisOptions options{.Datum = 0, .From = 400, .To = 0, .Contours = {2.5, 0, -4}, .Templates = &templates};
    const auto result = AnalyseJob(saved, options);
    const std::string written = ReadAll(work_ / "out" / "beach-analysis.csv");
    EXPECT_EQ(written, AnalysisCsvText(result, options));

    ASSERT_EQ(result.Lines.size(), 4u); // 11, 12A, 12B, 13: the thinned lines
    for (const auto& line : result.Lines) {
        EXPECT_EQ(line.State, LineState::Analysed) << line.Profile;
        EXPECT_LT(line.ShotsUsed, saved.ShotCount(line.Line)) << line.Profile << " was thinned";
        EXPECT_GT(line.AreaAboveDatum, 0) << line.Profile;
        EXPECT_EQ(line.Contours[1].Count > 0, true) << line.Profile << " has a shoreline";
    }
    // Templates are found as the editor finds them: PRO12A names no line key.
    EXPECT_TRUE(result.Lines[0].HasTemplate);
    EXPECT_FALSE(result.Lines[1].HasTemplate);
    EXPECT_TRUE(result.Lines[3].HasTemplate);
    EXPECT_EQ(result.Reaches.size(), 3u);
    EXPECT_GT(result.ReachTotal, 0);
    EXPECT_EQ(run.Err, testing::Finished);
}

TEST_F(BatchAnalysis, LinesThatBreakTheChainAreNamed) {
    // Without the starting-point file no line has a distance down range.
    const auto run =
        Batch({Sample("survey-trimble.csv"), "--no-three-digits", "--analysis", "a.csv", "--datum", "1.5"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string text = ReadAll(work_ / "a.csv");
    EXPECT_NE(text.find("Chain Break,11,no starting point\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Reach Total,,,,,.00\r\n"), std::string::npos) << text;
    EXPECT_NE(run.Err.find("a.csv: profile 13 breaks the chain of volumes (no starting point)\n"), std::string::npos)
        << run.Err;
}

TEST_F(BatchAnalysis, MistakenSettingsAreUsageErrorsAndNothingIsWritten) {
    const std::vector<std::vector<std::string>> cases{
        {"--datum", "0"},
        {"--contours", "1", "--formats", "csv"},
        {"--analysis", "a.csv"},
        {"--analysis", "", "--datum", "0"},
        {"--analysis", "a.csv", "--datum", "1,5"},
        {"--analysis", "a.csv", "--datum", "0", "--limits", "100"},
        {"--analysis", "a.csv", "--datum", "0", "--limits", "0,x"},
        {"--analysis", "a.csv", "--datum", "0", "--contours", "1,two"},
        {"--analysis", "a.csv", "--datum", "0", "--profile-template", "missing.tvt"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& arg : c) shown += arg + " ";
        const auto run = Batch(SampleRun(c));
        EXPECT_EQ(run.Status, 2) << shown << run.Err;
        EXPECT_FALSE(run.Err.empty()) << shown;
        EXPECT_TRUE(fs::is_empty(work_ / "out")) << shown;
        EXPECT_FALSE(fs::exists(work_ / "a.csv")) << shown;
    }
}

TEST_F(BatchAnalysis, AnAnalysisThatCannotBeWrittenFailsTheRunButKeepsTheJob) {
    const auto run = Batch(SampleRun({"--analysis", "no-such-folder/a.csv", "--datum", "0", "--save-job", "out/kept"}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Unable to write output file no-such-folder/a.csv\n"), std::string::npos) << run.Err;
    EXPECT_TRUE(fs::exists(work_ / "out" / "kept.tvn"));
}

} // namespace
} // namespace tolvanor
