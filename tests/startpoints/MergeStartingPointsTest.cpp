// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/MergeStartingPoints.h"

#include "core/Job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tolvanor {
namespace {

const std::string DataFolder = std::string(TOLVANOR_TEST_DATA) + "/startpoints/";

class MergeStartingPointsTest : public ::testing::Test {
protected:
    Job job{20, 20};
    std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "merge-starting-points";

    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::int32_t AddLine(const std::string& name, std::initializer_list<std::pair<double, double>> positions = {}) {
        const std::int32_t line = ++job.LineCount;
        std::int32_t shot = 0;
        job.Data.Edit(line, 1).SetProfileNumber(name);
        for (const auto& [easting, northing] : positions) {
            auto& record = job.Data.Edit(line, ++shot);
            record.SetProfileNumber(name);
            record.Easting = easting;
            record.Northing = northing;
            record.DistDownRange = -999.0f;
        }
        job.Data.EditHeader(line).ShotCount() = shot;
        return line;
    }
    std::string WriteFile(const std::string& text) {
        const auto path = (folder / "points.spf").string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    double StartEasting(std::int32_t line) const { return job.Data.Header(line).StartEasting(); }
};

TEST_F(MergeStartingPointsTest, AnEntryReachesEveryLineWithItsKey) {
    const auto a = AddLine("7A");
    const auto b = AddLine("7B");
    const auto other = AddLine("17");
    const auto report = MergeStartingPoints(job, WriteFile("7,500100.5,4100200.25,45\r\n"), false);
    EXPECT_TRUE(report.FileRead);
    EXPECT_EQ(report.EntriesUsed, 1);
    EXPECT_EQ(report.HeadersSet, 2);
    for (const auto line : {a, b}) {
        EXPECT_EQ(job.Data.Header(line).StartEasting(), 500100.5);
        EXPECT_EQ(job.Data.Header(line).StartNorthing(), 4100200.25);
        EXPECT_EQ(job.Data.Header(line).LineAngle(), 45.0f);
    }
    EXPECT_EQ(StartEasting(other), 0.0);
}

TEST_F(MergeStartingPointsTest, ThreeDigitNamesMatchEntriesFormattedTheSameWay) {
    const auto line = AddLine("007");
    const auto path = WriteFile("7,1,2,3\r\n");
    MergeStartingPoints(job, path, false);
    EXPECT_EQ(StartEasting(line), 0.0);
    MergeStartingPoints(job, path, true);
    EXPECT_EQ(StartEasting(line), 1.0);
}

TEST_F(MergeStartingPointsTest, LaterEntriesWinAndUnmatchedLinesKeepTheirPoint) {
    const auto seven = AddLine("7");
    const auto eight = AddLine("8");
    job.Data.EditHeader(eight).StartEasting() = 42.0;
    MergeStartingPoints(job, WriteFile("7,1,2,3\r\n7,4,5,6\r\n99,7,8,9\r\n"), false);
    EXPECT_EQ(StartEasting(seven), 4.0);
    EXPECT_EQ(StartEasting(eight), 42.0);
}

TEST_F(MergeStartingPointsTest, UnreadableEntriesAreSkippedAndCounted) {
    const auto seven = AddLine("7");
    const auto twelve = AddLine("12");
    const auto thirteen = AddLine("13");
    const auto eleven = AddLine("11");
    const auto report = MergeStartingPoints(job, DataFolder + "unreadable-entries.spf", false);
    EXPECT_EQ(report.EntriesUsed, 3);
    const std::vector<std::pair<int, StartingPointSkip>> expected = {
        {2, StartingPointSkip::Blank},      {3, StartingPointSkip::TooFewFields}, {4, StartingPointSkip::NotANumber},
        {5, StartingPointSkip::NotANumber}, {6, StartingPointSkip::Blank},        {7, StartingPointSkip::NotANumber}};
    ASSERT_EQ(report.Skipped.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report.Skipped[i].LineNumber, expected[i].first);
        EXPECT_EQ(report.Skipped[i].Reason, expected[i].second);
    }
    EXPECT_EQ(StartEasting(seven), 500100.5);
    EXPECT_EQ(StartEasting(twelve), 500400.0); // a surplus field is ignored
    EXPECT_EQ(job.Data.Header(thirteen).LineAngle(), 1000.0f);
    EXPECT_EQ(StartEasting(eleven), 0.0); // its angle overflows
}

TEST_F(MergeStartingPointsTest, DistancesAreRecomputedAndPositionsKept) {
    const auto line = AddLine("5", {{1000.0, 990.0}, {1000.0, 1012.25}});
    const auto unmatched = AddLine("6", {{3.0, 4.0}});
    MergeStartingPoints(job, WriteFile("5,1000,1000,0\r\n"), false);
    // Angle 0 runs down range due south of the starting point.
    EXPECT_EQ(job.Data.At(line, 1).DistDownRange, 10.0f);
    EXPECT_EQ(job.Data.At(line, 2).DistDownRange, -12.3f);
    EXPECT_EQ(job.Data.At(line, 1).Northing, 990.0);
    EXPECT_EQ(job.Data.At(line, 2).Easting, 1000.0);
    EXPECT_EQ(job.Data.At(unmatched, 1).DistDownRange, -999.0f);
}

TEST_F(MergeStartingPointsTest, NoFileChangesNothing) {
    const auto line = AddLine("7", {{1.0, 2.0}});
    EXPECT_FALSE(MergeStartingPoints(job, (folder / "absent.spf").string(), false).FileRead);
    EXPECT_FALSE(MergeStartingPoints(job, "", false).FileRead);
    EXPECT_EQ(job.Data.At(line, 1).DistDownRange, -999.0f);
}

TEST_F(MergeStartingPointsTest, OnlyLinesInUseAreTouched) {
    AddLine("7");
    job.Data.Edit(5, 1).SetProfileNumber("7"); // a stale line beyond the last one
    MergeStartingPoints(job, WriteFile("7,1,2,3\r\n"), false);
    EXPECT_EQ(job.Data.Header(5).StartEasting(), 0.0);
    EXPECT_EQ(job.Data.Header(1).StartEasting(), 1.0);
}

} // namespace
} // namespace tolvanor
