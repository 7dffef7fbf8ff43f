// SPDX-License-Identifier: GPL-3.0-or-later
// tolvanor-batch --analysis: the sample survey analysed as its deliverables
// see it, the settings a user can get wrong, and a file that cannot be written.
#include "analysis/AnalyseJob.h"
#include "analysis/ProfileTemplates.h"
#include "analysis/WriteAnalysisCSV.h"
#include "core/Job.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;

const fs::path Samples = TOLVANOR_SAMPLES;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class BatchAnalysis : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() / ("tolvanor-analysis-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(work_);
        fs::create_directories(work_ / "out");
    }
    void TearDown() override { fs::remove_all(work_); }

    // Runs the executable in the work folder; the exit status, stderr in `err`.
    int Batch(const std::vector<std::string>& args, std::string& err) {
        std::string command = "cd " + Quote(work_.string()) + " && " + Quote(TOLVANOR_BATCH_EXE);
        for (const auto& arg : args) command += " " + Quote(arg);
        command += " >stdout.txt 2>stderr.txt";
        const int raw = std::system(command.c_str());
        err = ReadAll(work_ / "stderr.txt");
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    std::vector<std::string> SampleRun(std::vector<std::string> more) const {
        // clang-format off
        std::vector<std::string> args{(Samples / "survey.tvn").string(), "--type", "5", "--no-three-digits",
            "--sort", "6", "--spf", (Samples / "survey.spf").string(), "--formats", "csv", "--posn", "3",
            "--thin-method", "1", "--thin-inc", "5", "--out", "out", "--prefix", "beach"};
        // clang-format on
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    fs::path work_;
};

// The analysis written by the run equals the core's analysis of the job the
// run saved: normalized and thinned as the deliverables were.
TEST_F(BatchAnalysis, AnalysesTheLinesAsTheDeliverablesSeeThem) {
    const std::string tvt = (Samples / "survey.tvt").string();
    std::string err;
    ASSERT_EQ(Batch(SampleRun({"--analysis", "out/beach-analysis.csv", "--datum", "0", "--limits", "400,0",
                               "--contours", "2.5,0,,-4", "--profile-template", tvt, "--save-job", "out/survey"}),
                    err),
              0)
        << err;

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
    EXPECT_EQ(err, "Any valid output file types have been created in the specified folder!\n");
}

TEST_F(BatchAnalysis, LinesThatBreakTheChainAreNamed) {
    // Without the starting-point file no line has a distance down range.
    std::string err;
    ASSERT_EQ(
        Batch({(Samples / "survey-trimble.csv").string(), "--no-three-digits", "--analysis", "a.csv", "--datum", "1.5"},
              err),
        0)
        << err;
    const std::string text = ReadAll(work_ / "a.csv");
    EXPECT_NE(text.find("Chain Break,11,no starting point\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Reach Total,,,,,.00\r\n"), std::string::npos) << text;
    EXPECT_NE(err.find("a.csv: profile 13 breaks the chain of volumes (no starting point)\n"), std::string::npos)
        << err;
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
        std::string err;
        std::string shown;
        for (const auto& arg : c) shown += arg + " ";
        EXPECT_EQ(Batch(SampleRun(c), err), 2) << shown << err;
        EXPECT_FALSE(err.empty()) << shown;
        EXPECT_TRUE(fs::is_empty(work_ / "out")) << shown;
        EXPECT_FALSE(fs::exists(work_ / "a.csv")) << shown;
    }
}

TEST_F(BatchAnalysis, AnAnalysisThatCannotBeWrittenFailsTheRunButKeepsTheJob) {
    std::string err;
    EXPECT_EQ(Batch(SampleRun({"--analysis", "no-such-folder/a.csv", "--datum", "0", "--save-job", "out/kept"}), err),
              1);
    EXPECT_NE(err.find("Unable to write output file no-such-folder/a.csv\n"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(work_ / "out" / "kept.tvn"));
}

} // namespace
} // namespace tolvanor
