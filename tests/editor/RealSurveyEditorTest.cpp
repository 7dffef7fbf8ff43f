// SPDX-License-Identifier: GPL-3.0-or-later
// A real New Jersey survey read as a crew would export it, its profile
// origins turned into a starting-point file, then the editor's refresh.
#include "editor/DataEditor.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Text.h"
#include "input/LineReader.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

std::string RealData(std::string_view name) {
    return std::string(TOLVANOR_REALDATA) + "/" + std::string(name);
}

// Calls `row` with the fields of every line; false when the file is absent.
template <typename Row> bool ForEachLine(const std::string& path, Row row) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) row(SplitFields(line, ','));
    }
    return true;
}

std::vector<std::vector<ShotRecord>> Snapshot(const Job& job) {
    std::vector<std::vector<ShotRecord>> lines;
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        lines.emplace_back();
        for (std::int32_t shot = 0; shot <= job.ShotCount(line); ++shot)
            lines.back().push_back(job.Data.At(line, shot));
    }
    return lines;
}

TEST(RealSurveyEditor, OriginsAndAzimuthsPlaceEveryProfileSeaward) {
    // Trimble layout: sequence, easting, northing, elevation, remark.
    std::string trimble;
    int sequence = 0;
    const bool surveyPresent =
        ForEachLine(RealData("4Col_WithHeader.MA063-MA069.csv"), [&](const std::vector<std::string_view>& f) {
            if (f.size() < 4 || !IsNumberText(f[1])) return;
            trimble += std::to_string(++sequence) + "," + std::string(TrimBlanks(f[1])) + "," +
                       std::string(TrimBlanks(f[2])) + "," + std::string(TrimBlanks(f[3])) + ",PRO" +
                       std::string(TrimBlanks(f[0])) + " L\r\n";
        });
    // Starting-point file: the seaward azimuth Z becomes the line angle Z - 180.
    std::string points = "Profile,Easting,Northing,Angle\r\n";
    const bool originsPresent =
        ForEachLine(RealData("OriginAzimuth_WithHeader_Mana.csv"), [&](const std::vector<std::string_view>& f) {
            double azimuth = 0;
            if (f.size() < 4 || StrictToDouble(f[3], azimuth) != ConversionStatus::Ok) return;
            const double angle = std::fmod(azimuth + 180.0, 360.0);
            points += std::string(f[0]) + "," + std::string(f[1]) + "," + std::string(f[2]) + "," +
                      std::to_string(angle) + "\r\n";
        });
    if (!surveyPresent || !originsPresent) GTEST_SKIP() << "real survey data not present";

    const auto folder = std::filesystem::path(::testing::TempDir()) / "real-survey-editor";
    std::filesystem::create_directories(folder);
    const auto spf = (folder / "nj.spf").string();
    std::ofstream(spf, std::ios::binary) << points;

    Job job;
    ScriptedPrompter prompter;
    ReadOptions read;
    read.FormatProfileNumbers = false;
    MemorySource source(trimble);
    ASSERT_EQ(ReadDataFrom(job, read, source, prompter).Outcome, ReadOutcome::Ok);
    ASSERT_EQ(job.LineCount, 7); // MA063..MA069, each cut at the shot limit

    DataEditor editor(job, prompter);
    editor.Options().FormatProfileNumbers = false;
    editor.Options().SortOrder = 6; // by distance down range
    editor.Options().StartingPointFile = spf;
    const auto report = editor.RefreshDataEdit();
    std::filesystem::remove_all(folder);

    ASSERT_TRUE(report.FileRead);
    ASSERT_EQ(report.Skipped.size(), 1u); // the heading
    EXPECT_EQ(report.HeadersSet, 7);
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        SCOPED_TRACE(std::string(job.LineName(line)));
        int seaward = 0;
        const auto shots = job.ShotCount(line);
        for (std::int32_t shot = 1; shot <= shots; ++shot) {
            const auto& record = job.Data.At(line, shot);
            if (record.DistDownRange > 0) ++seaward;
            if (shot > 1) {
                ASSERT_LE(job.Data.At(line, shot - 1).DistDownRange, record.DistDownRange);
            }
        }
        // Profiles run out from their origin: nearly every shot lies seaward of it.
        EXPECT_GT(seaward, shots * 9 / 10);
    }
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number MA063");
    EXPECT_TRUE(editor.State().StartingPoint.Loaded);

    const auto once = Snapshot(job);
    editor.LoadArray();
    EXPECT_TRUE(Snapshot(job) == once);
}

} // namespace
} // namespace tolvanor
