// SPDX-License-Identifier: GPL-3.0-or-later
// What every writer shares: file names, ignored lines, replace or append,
// failures, and the job left as it was.
#include "OutputTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace tolvanor::testing {
namespace {

// The sample job through every writer, byte for byte: ignored lines and
// shots left out, texts written as the bytes they were read with.
TEST(DeliverableGolden, SampleJobInSingleFiles) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    for (const OutputFormat format : AllOutputFormats) {
        const OutputResult result = WriteOutputFile(format, job, Options(), folder.Path());
        ASSERT_EQ(result.Status, OutputStatus::Written) << result.Reason;
        ExpectGolden(ReadBytes(SingleFilePath(folder.Path(), "job", format)),
                     "sample" + std::string(FormatExtension(format)));
    }
}

TEST(DeliverableWalk, NothingToWriteLeavesTheFolderAlone) {
    Job job(10, 20);
    AddLine(job, "1", {{1, 2, 3, 4}}, true);
    TempFolder folder;
    WriteBytes(folder.File("job.csv"), "old contents");
    for (const FileMode mode : {FileMode::SingleFile, FileMode::FilePerLine}) {
        for (const OutputFormat format : AllOutputFormats) {
            const OutputResult result = WriteOutputFile(format, job, Options(mode), folder.Path());
            EXPECT_EQ(result.Status, OutputStatus::NothingWritten) << FormatExtension(format);
            EXPECT_TRUE(result.FilesWritten.empty());
        }
    }
    EXPECT_EQ(FileNames(folder.Path()), std::vector<std::string>{"job.csv"});
    EXPECT_EQ(ReadBytes(folder.File("job.csv")), "old contents");
}

// Two runs in each mode: file names, .se and .irp appended while the others
// are replaced, and the job left as it was.
TEST(DeliverableWalk, TwoRunsInEachMode) {
    Job job(10, 20);
    FillSampleJob(job);
    job.DataChanged = true;
    const Job before = job;
    const std::vector<std::string> singleNames{"job.csv", "job.irp", "job.rer", "job.se", "job.xls", "job.xyz"};
    std::vector<std::string> perLineNames; // line 13 is ignored; 15's shots all are, yet it opens its files
    for (const char* line : {"_12", "_14", "_15"})
        for (const std::string& name : singleNames) perLineNames.push_back("job" + std::string(line) + name.substr(3));
    for (const FileMode mode : {FileMode::SingleFile, FileMode::FilePerLine}) {
        TempFolder folder;
        std::map<std::string, std::string> once; // name: bytes after the first run
        for (int run = 1; run <= 2; ++run) {
            for (const OutputFormat format : AllOutputFormats) {
                const OutputResult result = WriteOutputFile(format, job, Options(mode), folder.Path());
                ASSERT_EQ(result.Status, OutputStatus::Written) << result.Reason;
                for (const std::string& path : result.FilesWritten)
                    if (run == 1) once[path.substr(folder.Path().size() + 1)] = ReadBytes(path);
            }
        }
        std::vector<std::string> names;
        for (const auto& [name, bytes] : once) {
            names.push_back(name);
            const bool appends = name.ends_with(".se") || name.ends_with(".irp");
            EXPECT_EQ(ReadBytes(folder.File(name)), appends ? bytes + bytes : bytes) << name;
        }
        EXPECT_EQ(names, mode == FileMode::SingleFile ? singleNames : perLineNames);
        EXPECT_EQ(FileNames(folder.Path()), names);
        if (mode == FileMode::SingleFile) continue;
        // The documented .csv line, and what a line without used shots leaves.
        EXPECT_EQ(once["job_12.csv"], "17,402511.3750,161833.0000,3.4,PRO 12 B\r\n"
                                      "18,402515.1235,161838.5556,3.9,\r\n"
                                      "20,402531.0000,161850.0001,-.5,PRO 12 W,tide\r\n");
        EXPECT_EQ(once["job_15.csv"] + once["job_15.se"], "");
        EXPECT_EQ(once["job_15.rer"],
                  "DOWNRANGE    POINT\r\n DISTANCE  ELEVATION  REMARKS\r\n---------  ---------  -------\r\n");
        EXPECT_EQ(once["job_15.irp"], "\r\n");
    }
    EXPECT_TRUE(job.LineCount == before.LineCount && job.CurrentLine == before.CurrentLine && job.DataChanged &&
                job.LoadingCount == before.LoadingCount);
    for (std::int32_t line = 0; line <= std::max(job.Data.LineBound(), before.Data.LineBound()); ++line) {
        ASSERT_EQ(job.Data.StoredCount(line), before.Data.StoredCount(line)) << "line " << line;
        for (std::int32_t shot = 0; shot < job.Data.StoredCount(line); ++shot)
            EXPECT_TRUE(job.Data.At(line, shot) == before.Data.At(line, shot)) << "line " << line << " shot " << shot;
    }
}

// A profile number becomes part of a file name: bytes no name may hold become "_".
TEST(DeliverableWalk, ProfileNumbersInFileNames) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"12A", "F/P_12A.csv"},
        {"1\0"
         "2"s,
         "F/P_1_2.csv"},
        {"a/b", "F/P_a_b.csv"},
#ifdef _WIN32
        {"a<b>c:\"d|e?f*g\\h\ti", "F\\P_a_b_c__d_e_f_g_h_i.csv"},
#else
        {"a<b>:\"|?*\\\t", "F/P_a<b>:\"|?*\\\t.csv"},
#endif
    };
    for (const auto& [profile, path] : cases)
        EXPECT_EQ(LineFilePath("F", "P", profile, OutputFormat::Csv), path) << profile;
}

// "path: reason" of a failed write.
std::string FailureOf(const OutputResult& result) {
    return result.Failed() ? result.FailedPath + ": " + result.Reason : "no failure";
}

TEST(DeliverableWalk, WriteFailuresNameThePathAndTheSystemsReason) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    const std::string missing = folder.File("no such folder");
    for (const OutputFormat format : AllOutputFormats) {
        EXPECT_EQ(FailureOf(WriteOutputFile(format, job, Options(), missing)),
                  SingleFilePath(missing, "job", format) + ": No such file or directory");
    }
    // A folder named job_14.csv: the walk stops there, job_12.csv is complete, job_15.csv never made.
    std::filesystem::create_directory(folder.File("job_14.csv"));
    const OutputResult result = WriteCSVFile(job, Options(FileMode::FilePerLine), folder.Path());
    EXPECT_EQ(FailureOf(result), folder.File("job_14.csv") + ": Is a directory");
    EXPECT_EQ(result.FilesWritten, std::vector<std::string>{folder.File("job_12.csv")});
    EXPECT_FALSE(std::filesystem::exists(folder.File("job_15.csv")));
    // A .se closing station outside 16 bits fails that file; the one there stays as it was.
    Job far(10, 20);
    AddLine(far, "1", {{0, 0, 1.0f, 0.0f}, {0, 0, 2.0f, 40000.0f}});
    WriteBytes(folder.File("job.se"), "the old sections\r\n");
    EXPECT_EQ(FailureOf(WriteSEFile(far, Options(), folder.Path())), folder.File("job.se") + ": Overflow");
    EXPECT_EQ(ReadBytes(folder.File("job.se")), "the old sections\r\n");
    // A full disk is a failure, not a success.
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full is not available";
    std::filesystem::create_symlink("/dev/full", folder.File("job.rer"));
    EXPECT_EQ(FailureOf(WriteRERFile(job, Options(), folder.Path())),
              folder.File("job.rer") + ": No space left on device");
}

} // namespace
} // namespace tolvanor::testing
