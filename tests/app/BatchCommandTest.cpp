// SPDX-License-Identifier: GPL-3.0-or-later
// tolvanor-batch run as a user runs it: the sample survey end to end against
// the expected deliverables, every message it prints and its exit statuses.
//
// To re-bless the expected files after an intended change, run this test with
// TOLVANOR_BLESS=1 in the environment; it copies what it produced into
// tests/data/batch/ and passes. Review the diff before committing it.
#include "BatchTestSupport.h"

#include <set>

namespace tolvanor::testing {
namespace {

const fs::path Expected = fs::path(TOLVANOR_TEST_DATA) / "batch";

// The second line of a file, without its line end.
std::string SecondLine(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

class BatchCommand : public BatchRun {
protected:
    // Every file in out/ and the messages equal the expected ones, byte for
    // byte, and no file is missing or extra.
    void ExpectDeliverables(const std::string& caseName, const RunResult& run) {
        const fs::path expected = Expected / caseName;
        if (std::getenv("TOLVANOR_BLESS") != nullptr) {
            fs::remove_all(expected);
            fs::create_directories(expected);
            for (const auto& entry : fs::directory_iterator(Out())) fs::copy(entry.path(), expected);
            std::ofstream(expected / "stderr.txt", std::ios::binary) << run.Err;
            return;
        }
        EXPECT_EQ(run.Err, ReadAll(expected / "stderr.txt")) << caseName;
        std::set<std::string> produced;
        std::set<std::string> wanted;
        for (const auto& entry : fs::directory_iterator(Out())) produced.insert(entry.path().filename().string());
        for (const auto& entry : fs::directory_iterator(expected)) {
            if (entry.path().filename() != "stderr.txt") wanted.insert(entry.path().filename().string());
        }
        EXPECT_EQ(produced, wanted) << caseName;
        for (const auto& name : wanted) {
            EXPECT_EQ(ReadAll(Out() / name), ReadAll(expected / name)) << caseName << ": " << name << " differs";
        }
    }
};

std::vector<std::string> WholeSurvey(const std::string& job, const std::string& spf, const std::string& itf) {
    // clang-format off
    return {job, "--type", "5", "--no-three-digits", "--sort", "6", "--spf", spf,
            "--formats", "csv,xyz,irp,se,rer,xls", "--posn", "3", "--thin-method", "1", "--thin-inc", "5",
            "--out", "out", "--prefix", "beach", "--locality", "0412", "--date", "261014", "--time", "0930",
            "--template", itf, "--save-job", "out/survey"};
    // clang-format on
}

TEST_F(BatchCommand, WholeSampleSurveyGivesTheExpectedDeliverables) {
    const auto run = Batch(WholeSurvey(Sample("survey.tvn"), Sample("survey.spf"), Sample("survey.itf")));
    EXPECT_EQ(run.Status, 0) << run.Err;
    ExpectDeliverables("whole-survey", run);
}

TEST_F(BatchCommand, EachSourceLayoutReadsTheSampleSurvey) {
    const std::vector<std::pair<std::string, std::string>> layouts{
        {"0", "survey-trimble.csv"},   {"1", "survey-hypack.xyz"}, {"2", "survey-processed.xyz"},
        {"3", "survey-processed.dat"}, {"4", "survey-field.co"},   {"6", "survey-sounder.txt"}};
    for (const auto& [type, file] : layouts) {
        fs::remove_all(Out());
        fs::create_directories(Out());
        const auto run = Batch({Sample(file), "--type", type, "--no-three-digits", "--spf", Sample("survey.spf"),
                                "--sort", "6", "--formats", "csv,rer", "--out", "out", "--prefix", "type" + type});
        EXPECT_EQ(run.Status, 0) << file << ": " << run.Err;
        ExpectDeliverables("type" + type, run);
    }
}

TEST_F(BatchCommand, ThreeDigitNamesOnePerLineAndTheNormalizeQuestion) {
    // With the three-digit option the entry "12" becomes "012" and no longer
    // matches 12A and 12B: those lines cannot be straightened and the
    // question is answered OK.
    const auto run = Batch({Sample("survey-trimble.csv"), "--spf", Sample("survey.spf"), "--posn", "1", "--formats",
                            "csv,se", "--individual", "--out", "out", "--prefix", "p"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    ExpectDeliverables("per-line", run);
}

TEST_F(BatchCommand, OverwriteQuestionsSkipOrReplace) {
    const auto args = WholeSurvey(Sample("survey.tvn"), Sample("survey.spf"), Sample("survey.itf"));
    ASSERT_EQ(Batch(args).Status, 0);
    std::ofstream(Out("beach.rer"), std::ios::binary) << "kept";

    const auto refused = Batch(args);
    EXPECT_EQ(refused.Status, 3);
    const std::string folder = "out/";
    EXPECT_EQ(refused.Err, folder + "beach.csv already exists! \nDo you wish to overwrite this file?\n" + folder +
                               "beach.xyz already exists! \nDo you wish to overwrite this file?\n" + folder +
                               "beach.irp already exists!\nDo you wish to overwrite this file?\n" + folder +
                               "beach.se already exists!\nDo you wish to overwrite this file?\n" + folder +
                               "beach.rer exists! \nDo you wish to overwrite this file?\n" + folder +
                               "beach.xls already exists! \nDo you wish to overwrite this file?\n" + Finished);
    EXPECT_EQ(ReadAll(Out("beach.rer")), "kept");

    auto replace = args;
    replace.push_back("--overwrite");
    const auto replaced = Batch(replace);
    EXPECT_EQ(replaced.Status, 0);
    EXPECT_EQ(ReadAll(Out("beach.rer")), ReadAll(Expected / "whole-survey" / "beach.rer"));
    // .irp and .se files are appended to, as the crews' card decks expect.
    const std::string se = ReadAll(Expected / "whole-survey" / "beach.se");
    EXPECT_EQ(ReadAll(Out("beach.se")), se + se);
}

TEST_F(BatchCommand, ASourceThatCannotBeReadStopsTheRun) {
    std::ofstream(work_ / "empty.csv") << "REM nothing here\r\n";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"missing.csv"}, "Selected source file does not exist.  Please select another file.\n"},
        {{"empty.csv"},
         "No data in the selected format was found in the input file.\n"
         "Please check your format selection to make sure it matches the source data.\n"},
        {{Sample("survey-processed.xyz")},
         "There is a problem with the data format of the input file, in or near the line: \n" +
             SecondLine(Sample("survey-processed.xyz")) + "\n\n  Please correct your source file and try again.\n"},
        {{Sample("survey-hypack.xyz")},
         "There is a problem reading your source data.\n"
         "Please check the source file data and data format selection, then retry.\n"},
        {{Sample("survey-trimble.csv"), "missing.csv"},
         "Selected source file does not exist.  Please select another file.\n"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        for (const char* more : {"--formats", "csv", "--out", "out", "--prefix", "p", "--save-job", "out/job"})
            args.push_back(more);
        const auto run = Batch(args);
        EXPECT_EQ(run.Status, 1) << c.args[0];
        EXPECT_EQ(run.Err, c.message) << c.args[0];
        EXPECT_TRUE(fs::is_empty(Out())) << "nothing written, no job saved";
    }
}

TEST_F(BatchCommand, ALaterSourceWithNothingNewGoesOn) {
    std::ofstream(work_ / "empty.csv") << "; only a comment\r\n";
    const auto run = Batch({Sample("survey-trimble.csv"), "empty.csv", "--save-job", "out/job.tvn"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_TRUE(fs::exists(Out("job.tvn")));
}

TEST_F(BatchCommand, RefusedOutputStillSavesTheJob) {
    const auto noPrefix =
        Batch({Sample("survey-trimble.csv"), "--formats", "csv", "--out", "out", "--save-job", "out/job"});
    EXPECT_EQ(noPrefix.Status, 1);
    EXPECT_EQ(noPrefix.Err, "Please select a File Name Prefix before generating output.\n");
    EXPECT_EQ(ReadAll(Out("job.tvn")).substr(0, 5), " 0, 0");

    const auto noFormat = Batch({Sample("survey-trimble.csv"), "--formats", "", "--out", "out", "--prefix", "p"});
    EXPECT_EQ(noFormat.Status, 1);
    EXPECT_EQ(noFormat.Err, "No output format selected.  Please select at least one format.\n");
}

TEST_F(BatchCommand, AFolderThatCannotBeWrittenIsReported) {
    const auto run = Batch({Sample("survey-trimble.csv"), "--formats", "csv,rer", "--out", "out/missing", "--prefix",
                            "p", "--save-job", "out/missing/job"});
    EXPECT_EQ(run.Status, 1);
    std::istringstream lines(run.Err);
    std::string line;
    std::vector<std::string> printed;
    while (std::getline(lines, line)) printed.push_back(line);
    ASSERT_EQ(printed.size(), 8u) << run.Err;
    EXPECT_EQ(printed[0], "Unable to write output file out/missing/p.csv");
    EXPECT_EQ(printed[2], "Unable to write output file out/missing/p.rer");
    EXPECT_EQ(printed[4], "Some output files could not be created.");
    EXPECT_EQ(printed[5], "Unable to save the job file.");
    EXPECT_EQ(printed[6], "out/missing/job.tvn");
}

TEST_F(BatchCommand, UsageErrorsAndHelp) {
    const auto source = Sample("survey-trimble.csv");
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"a.csv", "--type", "9"},
                                                 {"a.csv", "--formats", "pdf"},
                                                 {"a.csv", "--bogus"},
                                                 {"a.csv", "--spf", "no-such.spf"},
                                                 {source, "--save-job", ""},
                                                 {source, "--save-job", "out/"}}) {
        const auto run = Batch(args);
        EXPECT_EQ(run.Status, 2) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(run.Err.empty());
        EXPECT_TRUE(OutFiles().empty());
    }
    // --help prints the usage on the standard output and exits 0.
    const auto help = Batch({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char* text :
         {"Usage: tolvanor-batch", ".irp and .se are appended to, not replaced", "4 a line or shot limit was met"})
        EXPECT_NE(help.Out.find(text), std::string::npos) << help.Out;
}

} // namespace
} // namespace tolvanor::testing
