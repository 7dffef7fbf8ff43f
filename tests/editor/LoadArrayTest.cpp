// SPDX-License-Identifier: GPL-3.0-or-later
// A real survey merged with its profile origins by the editor's refresh.
#include "editor/DataEditor.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Text.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace tolvanor {
namespace {

// Calls `row` with the fields of every non-empty line; false when the file is absent.
template <typename Row> bool ForEachRealLine(std::string_view name, Row row) {
    std::ifstream file(std::string(TOLVANOR_REALDATA) + "/" + std::string(name), std::ios::binary);
    if (!file) return false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) row(SplitFields(line, ','));
    }
    return true;
}

// A real New Jersey survey, its profile origins and seaward azimuths turned
// into a starting-point file, then the editor's refresh.
TEST(LoadArray, RealSurveyMergedWithItsOriginsRunsSeaward) {
    Job job(20, 20000);
    std::string name;
    const bool surveyPresent = ForEachRealLine("4Col_WithHeader.MA063-MA069.csv", [&](const auto& f) {
        if (f.size() < 4 || !IsNumberText(f[1])) return; // the heading
        if (name != TrimBlanks(f[0])) ++job.LineCount;   // the file is grouped by profile
        name = TrimBlanks(f[0]);
        auto& shot = job.Data.Edit(job.LineCount, ++job.Data.EditHeader(job.LineCount).ShotCount());
        shot.SetProfileNumber(name);
        shot.Easting = LeadingNumberValue(f[1]);
        shot.Northing = LeadingNumberValue(f[2]);
    });
    std::string points = "Profile,Easting,Northing,Angle\r\n"; // the seaward azimuth Z gives the angle Z - 180
    const bool originsPresent = ForEachRealLine("OriginAzimuth_WithHeader_Mana.csv", [&](const auto& f) {
        if (f.size() < 4 || !IsNumberText(f[3])) return;
        points += std::string(f[0]) + "," + std::string(f[1]) + "," + std::string(f[2]) + "," +
                  std::to_string(std::fmod(LeadingNumberValue(f[3]) + 180.0, 360.0)) + "\r\n";
    });
    if (!surveyPresent || !originsPresent) GTEST_SKIP() << "real survey data not present";
    ASSERT_EQ(job.LineCount, 7); // MA063..MA069

    const auto spf = std::filesystem::path(::testing::TempDir()) / "real-survey-editor.spf";
    std::ofstream(spf, std::ios::binary) << points;
    testing::ScriptedPrompter prompter;
    DataEditor editor(job, prompter);
    editor.Options().FormatProfileNumbers = false;
    editor.Options().StartingPointFile = spf.string();
    const auto report = editor.RefreshDataEdit();
    std::filesystem::remove(spf);
    ASSERT_EQ(report.Skipped.size(), 1u); // the heading
    EXPECT_EQ(report.HeadersSet, 7);
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        int seaward = 0;
        for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot)
            seaward += job.Data.At(line, shot).DistDownRange > 0;
        // Profiles run out from their origin: nearly every shot lies seaward of it.
        EXPECT_GT(seaward, job.ShotCount(line) * 9 / 10) << job.LineName(line);
    }
}

} // namespace
} // namespace tolvanor
