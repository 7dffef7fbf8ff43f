// SPDX-License-Identifier: GPL-3.0-or-later
// The .csv, .xyz, .rer and .se deliverables, byte for byte.
#include "OutputTestSupport.h"
#include "SampleJob.h"

#include "output/Deliverables.h"

#include <gtest/gtest.h>

namespace tolvanor::testing {
namespace {

OutputOptions Single(std::string prefix = "job") {
    OutputOptions options;
    options.Prefix = std::move(prefix);
    return options;
}

// Writes one format for a job in single-file mode and returns the file's bytes.
std::string WriteSingle(OutputFormat format, const Job& job) {
    TempFolder folder;
    const OutputResult result = WriteOutputFile(format, job, Single(), folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Written) << result.Reason;
    return ReadBytes(SingleFilePath(folder.Path(), "job", format));
}

TEST(CsvFile, WritesTheDocumentedLines) {
    Job job(10, 20);
    AddLine(job, "12", {{402511.375, 161833.0, 3.4f, 0, "PRO 12 B", false, 17}, {0.5, -12.25, 0.04f, 0, "", false, 3}});
    EXPECT_EQ(WriteSingle(OutputFormat::Csv, job), "17,402511.3750,161833.0000,3.4,PRO 12 B\r\n"
                                                   "3,.5000,-12.2500,.0,\r\n");
}

TEST(XyzFile, PutsEachFieldAtItsColumn) {
    Job job(10, 20);
    AddLine(job, "12", {{402511.375, 161833.0, 3.4f, 0, "PRO 12 B"}, {0.5, -0.25, -0.5f, 0, "r"}});
    const std::string text = WriteSingle(OutputFormat::Xyz, job);
    EXPECT_EQ(text, "          402511.3750      161833.0000     3.4     PRO 12 B\r\n"
                    "          .5000            -.2500          -0.5    r\r\n");
    EXPECT_EQ(text.find("402511"), 10u); // column 11
    EXPECT_EQ(text.find("161833"), 27u); // column 28
    EXPECT_EQ(text.find("3.4"), 43u);    // column 44
    EXPECT_EQ(text.find("PRO"), 51u);    // column 52
}

TEST(XyzFile, LongFieldsPushTheNextOnesRight) {
    Job job(10, 20);
    AddLine(job, "12", {{12345678901234.5, 98765432109876.5, 1234567.0f, 0, "r"}});
    EXPECT_EQ(WriteSingle(OutputFormat::Xyz, job), "          12345678901234.5000"
                                                   "98765432109876.5000"
                                                   "1234567r\r\n");
}

TEST(RerFile, WritesHeaderAndRightAlignedColumns) {
    Job job(10, 20);
    AddLine(job, "12", {{0, 0, 3.25f, 12.5f, "PRO 12"}, {0, 0, -1.0f, 123.456f, ""}, {0, 0, 0, 0, "no distance"}});
    EXPECT_EQ(WriteSingle(OutputFormat::Rer, job), "DOWNRANGE    POINT\r\n"
                                                   " DISTANCE  ELEVATION  REMARKS\r\n"
                                                   "---------  ---------  -------\r\n"
                                                   "   12.5       32.5   PRO 12\r\n"
                                                   "  3.456        -10   \r\n"
                                                   "      0          0   no distance\r\n");
}

TEST(SeFile, WritesTheDocumentedFiveLineProfile) {
    Job job(10, 20);
    AddLine(job, "12", {{0, 0, 4.2f, -30.0f}, {0, 0, 3.91f, 12.5f}, {0, 0, -0.5f, 130.0f}});
    EXPECT_EQ(WriteSingle(OutputFormat::Se, job), "   -50     0   1\r\n"
                                                  "   -30   4.2   0\r\n"
                                                  "  12.5   3.9   0\r\n"
                                                  "   130   -.5   0\r\n"
                                                  "   150     0   0\r\n");
}

TEST(SeFile, StationsFollowTheFirstAndLastUsedShotRules) {
    Job job(10, 20);
    // First shot ignored: no opening station. Last shot ignored: no closing station.
    AddLine(job, "1", {{0, 0, 1.0f, 10.0f, "", true}, {0, 0, 2.0f, 20.0f}, {0, 0, 3.0f, 30.0f}});
    AddLine(job, "2", {{0, 0, 1.0f, 60.0f}, {0, 0, 2.0f, 70.0f}, {0, 0, 3.0f, 80.0f, "", true}});
    // Never computed distances: opening 0, closing 50.
    AddLine(job, "3", {{0, 0, 1.0f, 0.0f}, {0, 0, 2.0f, 0.0f}});
    // One shot: it is the first, so it opens and never closes.
    AddLine(job, "4", {{0, 0, 5.0f, -100.0f}});
    // A closing station below zero distance still steps up: Fix(-1.2) + 1 = 0.
    AddLine(job, "5", {{0, 0, 1.0f, -120.0f}, {0, 0, 2.0f, -60.0f}});
    EXPECT_EQ(WriteSingle(OutputFormat::Se, job), "    20   2.0   0\r\n"
                                                  "    30   3.0   0\r\n"
                                                  "    50     0   0\r\n"
                                                  "    50     0   1\r\n"
                                                  "    60   1.0   0\r\n"
                                                  "    70   2.0   0\r\n"
                                                  "     0     0   1\r\n"
                                                  "     0   1.0   0\r\n"
                                                  "     0   2.0   0\r\n"
                                                  "    50     0   0\r\n"
                                                  "  -150     0   1\r\n"
                                                  "  -100   5.0   0\r\n"
                                                  "  -150     0   1\r\n"
                                                  "  -120   1.0   0\r\n"
                                                  "   -60   2.0   0\r\n"
                                                  "     0     0   0\r\n");
}

TEST(SeFile, ClosingStationOutsideSixteenBitsFails) {
    Job job(10, 20);
    AddLine(job, "1", {{0, 0, 1.0f, 0.0f}, {0, 0, 2.0f, 40000.0f}});
    TempFolder folder;
    const OutputResult result = WriteSEFile(job, Single(), folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Failed);
    EXPECT_EQ(result.FailedPath, folder.File("job.se"));
    EXPECT_EQ(result.Reason, "Overflow");
    EXPECT_TRUE(result.FilesWritten.empty());
}

// The sample job through every text format: ignored lines and shots left
// out, texts written as the bytes they were read with.
TEST(TextGolden, SampleJobInSingleFiles) {
    Job job(10, 20);
    FillSampleJob(job);
    ExpectGolden(WriteSingle(OutputFormat::Csv, job), "sample.csv");
    ExpectGolden(WriteSingle(OutputFormat::Xyz, job), "sample.xyz");
    ExpectGolden(WriteSingle(OutputFormat::Rer, job), "sample.rer");
    ExpectGolden(WriteSingle(OutputFormat::Se, job), "sample.se");
}

} // namespace
} // namespace tolvanor::testing
