// SPDX-License-Identifier: GPL-3.0-or-later
// Formats written side by side: the same files and results as one at a
// time, failures kept to their own format, progress on the caller's thread,
// and the output command's questions and messages in the formats' order.
#include "OutputTestSupport.h"

#include "core/AtomicFile.h"
#include "core/Progress.h"
#include "output/GenerateOutput.h"
#include "output/WriteOutputFiles.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <thread>
#include <tuple>

namespace tolvanor::testing {
namespace {

namespace fs = std::filesystem;

// The sample job's lines, then enough random ones that the writers overlap.
Job BusyJob(int lines = 60) {
    Job job(100, 400);
    FillSampleJob(job);
    std::mt19937 random(15);
    std::uniform_real_distribution<double> offset(-500.0, 500.0);
    for (int line = 0; line < lines; ++line) {
        std::vector<TestShot> shots(300);
        for (std::size_t s = 0; s < shots.size(); ++s) {
            shots[s] = {
                402000.0 + offset(random),     161000.0 + offset(random), static_cast<float>(offset(random) / 50),
                static_cast<float>(s) * 0.37f, s % 7 == 0 ? "PRO B" : "", s % 11 == 3};
        }
        AddLine(job, std::to_string(100 + line), shots, line % 17 == 5);
    }
    return job;
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : FileNames(folder)) files[name] = ReadBytes(folder + "/" + name);
    return files;
}

std::vector<std::string> Relative(std::vector<std::string> paths, const std::string& folder) {
    for (auto& path : paths) path = path.substr(folder.size());
    return paths;
}

// Puts the same earlier files into a folder, so appending formats append.
void SeedFolder(const TempFolder& folder) {
    WriteBytes(folder.File("job.se"), "earlier .se\r\n");
    WriteBytes(folder.File("job.irp"), "earlier .irp\r\n");
    WriteBytes(folder.File("job.csv"), "replaced\r\n");
}

TEST(WriteOutputFiles, SideBySideWritesWhatOneAtATimeWrites) {
    for (const FileMode mode : {FileMode::SingleFile, FileMode::FilePerLine}) {
        // A file per line is flushed to the disk each: fewer lines.
        const Job job = BusyJob(mode == FileMode::SingleFile ? 60 : 8);
        TempFolder one;
        SeedFolder(one);
        std::vector<OutputResult> expected;
        for (const OutputFormat format : AllOutputFormats)
            expected.push_back(WriteOutputFile(format, job, Options(mode), one.Path()));
        for (const unsigned workers : {1u, 2u, 4u, 0u}) {
            SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(mode) << ", workers " << workers);
            TempFolder many;
            SeedFolder(many);
            const auto results = WriteOutputFiles(AllOutputFormats, job, Options(mode), many.Path(), nullptr, workers);
            ASSERT_EQ(results.size(), expected.size());
            for (std::size_t i = 0; i < results.size(); ++i) {
                EXPECT_EQ(results[i].Status, expected[i].Status);
                EXPECT_EQ(Relative(results[i].FilesWritten, many.Path()),
                          Relative(expected[i].FilesWritten, one.Path()));
                EXPECT_EQ(results[i].CellsLeftOut, expected[i].CellsLeftOut);
            }
            EXPECT_EQ(Contents(many.Path()), Contents(one.Path()));
        }
    }
}

TEST(WriteOutputFiles, AFailureStaysWithItsFormat) {
    const Job job = BusyJob();
    TempFolder folder;
    fs::create_directory(folder.File("job.xyz")); // no file can replace a folder
    OutputOptions options = Options();
    options.AppendTemplate = true;
    options.TemplateFile = folder.File("no such template");
    const std::vector<OutputFormat> formats{OutputFormat::Xyz, OutputFormat::Csv, OutputFormat::Isrp,
                                            OutputFormat::Rer};
    const auto results = WriteOutputFiles(formats, job, options, folder.Path(), nullptr, 4);
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(std::tuple(results[0].Status, results[1].Status, results[2].Status, results[3].Status),
              std::tuple(OutputStatus::Failed, OutputStatus::Written, OutputStatus::Failed, OutputStatus::Written));
    EXPECT_EQ(results[0].FailedPath, folder.File("job.xyz"));
    EXPECT_TRUE(results[2].Reason.starts_with("Template file " + options.TemplateFile + ": ")) << results[2].Reason;
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"job.csv", "job.rer", "job.xyz"}));
    EXPECT_TRUE(fs::is_directory(folder.File("job.xyz")));
}

// Records each report and the thread it came on.
class RecordingProgress : public Progress {
public:
    void Report(std::int64_t done, std::int64_t total) override {
        reports.emplace_back(done, total);
        threads.push_back(std::this_thread::get_id());
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    std::vector<std::thread::id> threads;
};

TEST(WriteOutputFiles, ProgressComesOnTheCallersThreadOverAllFormats) {
    const Job job = BusyJob();
    for (const unsigned workers : {1u, 3u}) {
        TempFolder folder;
        RecordingProgress progress;
        WriteOutputFiles(AllOutputFormats, job, Options(), folder.Path(), &progress, workers);
        const std::int64_t total = 6 * static_cast<std::int64_t>(job.LineCount);
        ASSERT_FALSE(progress.reports.empty());
        EXPECT_EQ(progress.reports.back(), std::make_pair(total, total)) << workers;
        for (std::size_t i = 0; i < progress.reports.size(); ++i) {
            EXPECT_EQ(progress.threads[i], std::this_thread::get_id());
            EXPECT_EQ(progress.reports[i].second, total);
            EXPECT_GE(progress.reports[i].first, i > 0 ? progress.reports[i - 1].first : 0);
        }
    }
}

// Workers inherit the caller's held interrupts, and the caller gets its own mask back.
TEST(WriteOutputFiles, WorkersStartWithInterruptsHeld) {
    const auto blocked = [] {
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        return sigismember(&mask, SIGINT) == 1 && sigismember(&mask, SIGTERM) == 1;
    };
    ASSERT_FALSE(blocked());
    bool workerBlocked = false;
    {
        const HeldInterrupts held;
        EXPECT_TRUE(blocked());
        std::thread([&] { workerBlocked = blocked(); }).join();
    }
    EXPECT_TRUE(workerBlocked);
    EXPECT_FALSE(blocked());
}

// All six single files exist: the six questions come first, in order, then
// the failures in the formats' order, then the closing message.
TEST(GenerateOutputOrder, QuestionsFirstThenFailuresInFormatOrder) {
    Job job = BusyJob(4);
    TempFolder folder;
    GenerateOptions options;
    options.Csv = options.Xyz = options.Isrp = options.Se = options.Rer = options.Xls = true;
    options.Folder = folder.Path();
    options.Writer = Options();
    options.Writer.SurveyTime = "1200";
    for (const OutputFormat format : AllOutputFormats) WriteBytes(SingleFilePath(folder.Path(), "job", format), "old");
    // .xyz and .rer cannot be written: their names are taken by folders
    // (which are not asked about).
    for (const char* name : {"job.xyz", "job.rer"}) {
        fs::remove(folder.File(name));
        fs::create_directory(folder.File(name));
    }
    ScriptedPrompter prompter;
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes})
        prompter.QueueAnswer(answer);
    const GenerateResult result = GenerateOutput(job, options, nullptr, prompter);
    const std::string at = folder.Path() + "/";
    EXPECT_EQ(prompter.Messages(), (std::vector<std::string>{
                                       at + "job.csv already exists! \rDo you wish to overwrite this file?",
                                       at + "job.irp already exists!\rDo you wish to overwrite this file?",
                                       at + "job.se already exists!\rDo you wish to overwrite this file?",
                                       at + "job.xls already exists! \rDo you wish to overwrite this file?",
                                       "Unable to write output file " + at + "job.xyz\r\nIs a directory",
                                       "Unable to write output file " + at + "job.rer\r\nIs a directory",
                                       "Some output files could not be created.",
                                   }));
    EXPECT_EQ(result.Status, GenerateStatus::Finished);
    EXPECT_TRUE(result.FormatSkipped);
    EXPECT_TRUE(result.WriteFailed);
    EXPECT_EQ(Relative(result.FilesWritten, at), (std::vector<std::string>{"job.csv", "job.se", "job.xls"}));
    EXPECT_TRUE(ReadBytes(folder.File("job.irp")) == "old"); // answered No
    const std::string se = ReadBytes(folder.File("job.se"));
    EXPECT_TRUE(se.starts_with("old") && se.size() > 3) << "appended to";
}

} // namespace
} // namespace tolvanor::testing
