// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis CSV of a small job, every figure checked by hand.
#include "analysis/AnalyseJob.h"
#include "analysis/AnalysisTestSupport.h"
#include "analysis/ProfileTemplates.h"
#include "analysis/WriteAnalysisCSV.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tolvanor {
namespace {

class AnalysisCsv : public ::testing::Test {
protected:
    void SetUp() override {
        testing::AddLine(job_, "11", {{0, 3}, {10, 1}, {20, -1}}, true, 1000, 2000);
        testing::AddLine(job_, "12", {{0, 3}}, false);
        testing::AddLine(job_, "13", {{0, 4}, {20, 0}}, true, 1000, 2100);
        testing::AddLine(job_, "14", {{0, 2}, {10, 2}}, true, 1000, 2150);
        templates_.Parse({"PRO13,0,3,20,1"}, false);
        options_.Contours = {1, 5};
        options_.Templates = &templates_;
    }

    Job job_{10, 20};
    ProfileTemplates templates_;
    AnalysisOptions options_;
};

TEST_F(AnalysisCsv, OneRowPerLineThenTheReach) {
    const std::string expected =
        "Profile,Shots Used,Min Distance,Max Distance,Min Elevation,Max Elevation,Area Above 0,"
        "Contour 1 First,Contour 1 Last,Contour 1 Count,Contour 5 First,Contour 5 Last,Contour 5 Count,"
        "Above Template,Below Template,Note\r\n"
        "11,3,.0,20.0,-1.0,3.0,22.50,10.0,10.0,1,,,0,,,no template\r\n"
        "12,,,,,,,,,,,,,,,no starting point\r\n"
        "13,2,.0,20.0,.0,4.0,40.00,15.0,15.0,1,,,0,5.00,5.00,\r\n"
        "14,2,.0,10.0,2.0,2.0,20.00,,,0,,,0,,,no template\r\n"
        "\r\n"
        "From Profile,To Profile,Spacing,From Area,To Area,Volume\r\n"
        "13,14,50.00,40.00,20.00,1500.00\r\n"
        "Reach Total,,,,,1500.00\r\n"
        "Chain Break,12,no starting point\r\n";
    EXPECT_EQ(AnalysisCsvText(AnalyseJob(job_, options_), options_), expected);
}

TEST_F(AnalysisCsv, LevelsAndLimitsAsTypedWithoutTemplateColumns) {
    options_.Datum = 0.3;
    options_.Contours = {-1.25};
    options_.From = 5;
    options_.Templates = nullptr;
    const std::string text = AnalysisCsvText(AnalyseJob(job_, options_), options_);
    const std::string heading = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(heading, "Profile,Shots Used,Min Distance,Max Distance,Min Elevation,Max Elevation,"
                       "Area Above 0.3 From 5,Contour -1.25 First,Contour -1.25 Last,Contour -1.25 Count,Note");
    EXPECT_NE(text.find("\r\n12,,,,,,,,,,no starting point\r\n"), std::string::npos) << text;
}

TEST_F(AnalysisCsv, WritesTheFileAndReportsAFolderItCannotWriteIn) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "analysis-csv";
    std::filesystem::create_directories(folder);
    const auto result = AnalyseJob(job_, options_);
    const auto written = WriteAnalysisCSV((folder / "a.csv").string(), result, options_);
    EXPECT_TRUE(written.Written) << written.Reason;
    std::ifstream in(folder / "a.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), AnalysisCsvText(result, options_));
    const auto failed = WriteAnalysisCSV((folder / "missing" / "a.csv").string(), result, options_);
    EXPECT_FALSE(failed.Written);
    EXPECT_FALSE(failed.Reason.empty());
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tolvanor
