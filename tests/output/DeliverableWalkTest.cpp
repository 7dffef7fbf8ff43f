// SPDX-License-Identifier: GPL-3.0-or-later
// What every writer shares: file names, ignored lines, replace or append,
// failures, and the job left as it was.
#include "OutputTestSupport.h"
#include "SampleJob.h"

#include "core/Progress.h"
#include "output/Deliverables.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolvanor::testing {
namespace {

OutputOptions Options(FileMode mode) {
    OutputOptions options;
    options.Prefix = "job";
    options.Mode = mode;
    options.LocalityCode = "AB";
    options.SurveyDate = "990415";
    return options;
}

TEST(OutputPaths, FolderAndPrefixAlwaysGetASeparator) {
    EXPECT_EQ(SingleFilePath("/data", "job", OutputFormat::Rer), "/data/job.rer");
    EXPECT_EQ(SingleFilePath("/", "job", OutputFormat::Csv), "//job.csv");
    EXPECT_EQ(LineFilePath("/data", "job", "12", OutputFormat::Xls), "/data/job_12.xls");
    EXPECT_EQ(LineFilePath("out", " ", "7BD", OutputFormat::Se), "out/ _7BD.se");
    std::string extensions;
    for (const OutputFormat format : AllOutputFormats) extensions += FormatExtension(format);
    EXPECT_EQ(extensions, ".csv.xyz.irp.se.rer.xls");
}

TEST(DeliverableWalk, OneFilePerLineNamesFilesByProfile) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    for (const OutputFormat format : AllOutputFormats) {
        const OutputResult result = WriteOutputFile(format, job, Options(FileMode::FilePerLine), folder.Path());
        ASSERT_EQ(result.Status, OutputStatus::Written) << result.Reason;
        const std::string ext(FormatExtension(format));
        // Line 13 is ignored; line 15's shots are all ignored but the line still opens its file.
        EXPECT_EQ(result.FilesWritten,
                  (std::vector<std::string>{folder.File("job_12" + ext), folder.File("job_14" + ext),
                                            folder.File("job_15" + ext)}));
    }
    EXPECT_EQ(FileNames(folder.Path()).size(), 18u);
    EXPECT_EQ(ReadBytes(folder.File("job_12.csv")), "17,402511.3750,161833.0000,3.4,PRO 12 B\r\n"
                                                    "18,402515.1235,161838.5556,3.9,\r\n"
                                                    "20,402531.0000,161850.0001,-.5,PRO 12 W,tide\r\n");
    // A line without used shots: an empty .csv, the .rer header only, an empty .irp card line.
    EXPECT_EQ(ReadBytes(folder.File("job_15.csv")), "");
    EXPECT_EQ(ReadBytes(folder.File("job_15.rer")),
              "DOWNRANGE    POINT\r\n DISTANCE  ELEVATION  REMARKS\r\n---------  ---------  -------\r\n");
    EXPECT_EQ(ReadBytes(folder.File("job_15.irp")), "\r\n");
    EXPECT_EQ(ReadBytes(folder.File("job_15.se")), "");
}

TEST(DeliverableWalk, AllLinesIgnoredWritesNoFileAndKeepsAnOldOne) {
    Job job(10, 20);
    AddLine(job, "1", {{1, 2, 3, 4}}, true);
    AddLine(job, "2", {{1, 2, 3, 4}}, true);
    TempFolder folder;
    WriteBytes(folder.File("job.csv"), "old contents");
    for (const FileMode mode : {FileMode::SingleFile, FileMode::FilePerLine}) {
        for (const OutputFormat format : AllOutputFormats) {
            const OutputResult result = WriteOutputFile(format, job, Options(mode), folder.Path());
            EXPECT_EQ(result.Status, OutputStatus::NothingWritten);
            EXPECT_TRUE(result.FilesWritten.empty());
        }
    }
    EXPECT_EQ(FileNames(folder.Path()), std::vector<std::string>{"job.csv"});
    EXPECT_EQ(ReadBytes(folder.File("job.csv")), "old contents");
}

TEST(DeliverableWalk, NoLinesOrAFailedReadWriteNothing) {
    TempFolder folder;
    Job job(10, 20);
    EXPECT_EQ(WriteCSVFile(job, Options(FileMode::SingleFile), folder.Path()).Status, OutputStatus::NothingWritten);
    job.LineCount = -1;
    EXPECT_EQ(WriteSEFile(job, Options(FileMode::SingleFile), folder.Path()).Status, OutputStatus::NothingWritten);
    EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST(DeliverableWalk, SeAndIrpAppendWhileOthersReplace) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    std::vector<std::string> once;
    for (int run = 1; run <= 2; ++run) {
        for (const OutputFormat format : AllOutputFormats) {
            ASSERT_FALSE(WriteOutputFile(format, job, Options(FileMode::SingleFile), folder.Path()).Failed());
            if (run == 1) once.push_back(ReadBytes(SingleFilePath(folder.Path(), "job", format)));
        }
    }
    for (std::size_t i = 0; i < AllOutputFormats.size(); ++i) {
        const OutputFormat format = AllOutputFormats[i];
        const bool appends = format == OutputFormat::Se || format == OutputFormat::Isrp;
        EXPECT_EQ(ReadBytes(SingleFilePath(folder.Path(), "job", format)), appends ? once[i] + once[i] : once[i])
            << FormatExtension(format);
    }
}

TEST(DeliverableWalk, PerLineAppendFilesKeepEarlierContents) {
    Job job(10, 20);
    AddLine(job, "12", {{0, 0, 1.0f, 10.0f}});
    TempFolder folder;
    WriteBytes(folder.File("job_12.se"), "earlier\r\n");
    ASSERT_FALSE(WriteSEFile(job, Options(FileMode::FilePerLine), folder.Path()).Failed());
    EXPECT_EQ(ReadBytes(folder.File("job_12.se")), "earlier\r\n     0     0   1\r\n    10   1.0   0\r\n");
}

TEST(DeliverableWalk, WritersLeaveTheJobAsItWas) {
    Job job(10, 20);
    FillSampleJob(job);
    job.CurrentLine = 3;
    job.DataChanged = true;
    const JobSnapshot before(job);
    TempFolder folder;
    for (const FileMode mode : {FileMode::SingleFile, FileMode::FilePerLine}) {
        for (const OutputFormat format : AllOutputFormats) WriteOutputFile(format, job, Options(mode), folder.Path());
    }
    EXPECT_TRUE(JobSnapshot(job) == before);
}

TEST(DeliverableWalk, MissingFolderIsReportedWithTheSystemsReason) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    const std::string missing = folder.File("no such folder");
    for (const OutputFormat format : AllOutputFormats) {
        const OutputResult result = WriteOutputFile(format, job, Options(FileMode::SingleFile), missing);
        EXPECT_EQ(result.Status, OutputStatus::Failed);
        EXPECT_EQ(result.FailedPath, SingleFilePath(missing, "job", format));
        EXPECT_EQ(result.Reason, "No such file or directory");
    }
}

TEST(DeliverableWalk, StopsAtTheFirstFailingFile) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    // job_14.csv cannot be created: a folder has that name.
    std::filesystem::create_directory(folder.File("job_14.csv"));
    const OutputResult result = WriteCSVFile(job, Options(FileMode::FilePerLine), folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Failed);
    EXPECT_EQ(result.FilesWritten, std::vector<std::string>{folder.File("job_12.csv")});
    EXPECT_EQ(result.FailedPath, folder.File("job_14.csv"));
    EXPECT_EQ(result.Reason, "Is a directory");
    EXPECT_FALSE(std::filesystem::exists(folder.File("job_15.csv")));
}

TEST(DeliverableWalk, AFullDiskIsAFailureNotASuccess) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full is not available";
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    std::filesystem::create_symlink("/dev/full", folder.File("job.rer"));
    const OutputResult result = WriteRERFile(job, Options(FileMode::SingleFile), folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Failed);
    EXPECT_EQ(result.FailedPath, folder.File("job.rer"));
    EXPECT_EQ(result.Reason, "No space left on device");
}

class CountingProgress : public Progress {
public:
    void Report(std::int64_t done, std::int64_t total) override {
        last = done;
        lastTotal = total;
        ++calls;
    }
    std::int64_t last = -1;
    std::int64_t lastTotal = -1;
    int calls = 0;
};

TEST(DeliverableWalk, ReportsProgressByLine) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    CountingProgress progress;
    WriteXYZFile(job, Options(FileMode::SingleFile), folder.Path(), &progress);
    EXPECT_EQ(progress.last, 4);
    EXPECT_EQ(progress.lastTotal, 4);
    EXPECT_EQ(progress.calls, 5);
}

} // namespace
} // namespace tolvanor::testing
