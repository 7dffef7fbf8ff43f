// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-job pass: every value ends up exactly as the grid shows it, the
// shots are in sort order, none is lost; a second pass moves at most a
// water shot's elevation by one display unit, and a third changes nothing.
#include "editor/DataEditor.h"

#include "core/Job.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "core/ShotRecord.h"
#include "core/Text.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace tolvanor {
namespace {

// Random lines with unrounded values of every kind and magnitude, sounder
// shots, tabs in remarks and survey types among them, as a reader could leave them.
void FillRandomJob(Job& job, std::mt19937& random, std::int32_t lines, std::int32_t maxShots) {
    std::uniform_int_distribution<std::int32_t> shotCount(0, maxShots);
    std::uniform_real_distribution<double> position(-2000.0, 2000.0);
    std::uniform_real_distribution<float> small(-60.0f, 60.0f);
    std::uniform_int_distribution<int> pick(0, 9);
    const char* const types[] = {"L", "W", "w", "B", "b", "S", "", "A", "W", "L"};
    for (std::int32_t line = 1; line <= lines; ++line) {
        const auto name = std::to_string(100 + line) + (line % 3 == 0 ? "BD" : "");
        const std::int32_t shots = shotCount(random);
        auto& header = job.Data.EditHeader(job.LineCount = line);
        header.ShotCount() = shots;
        if (pick(random) > 2) { // a starting point
            header.StartEasting() = 500000.0 + position(random);
            header.StartNorthing() = 4100000.0 + position(random);
            header.LineAngle() = 290.5f;
        }
        for (std::int32_t shot = 1; shot <= shots; ++shot) { // (Edit may move the header)
            auto& r = job.Data.Edit(line, shot);
            r.SeqNum = pick(random) == 0 ? 2 * (shot + 7) + 1 : 2 * shot; // unique, a few out of order
            r.Easting = 500000.0 + position(random) + position(random) * 1e-7;
            r.Northing = 4100000.0 + position(random);
            for (float* value : {&r.DistDownRange, &r.Elevation, &r.DBT, &r.Heave, &r.Tide, &r.Pitch, &r.Roll})
                *value = small(random) * std::pow(10.0f, static_cast<float>(pick(random) % 4 - 2));
            r.SetProfileNumber(name);
            r.SetShotType(types[pick(random)]);
            r.SetSurveyType(name.size() > 3 ? "BD" : "");
            r.SetRemark(pick(random) == 0 ? "R\tWITH TAB" : "PRO " + name);
            r.Ignore = pick(random) == 0;
        }
    }
}

// For each sort order: true when shot b may follow shot a.
using ShotPair = bool (*)(const ShotRecord&, const ShotRecord&);
const ShotPair InOrder[] = {
    [](const auto& a, const auto& b) { return a.SeqNum <= b.SeqNum; },
    [](const auto& a, const auto& b) { return a.Northing >= b.Northing; },
    [](const auto& a, const auto& b) { return a.Easting <= b.Easting; },
    [](const auto& a, const auto& b) { return a.Northing <= b.Northing; },
    [](const auto& a, const auto& b) { return a.Easting >= b.Easting; },
    [](const auto& a, const auto& b) { return UpperAscii(a.ShotType()) <= UpperAscii(b.ShotType()); },
    [](const auto& a, const auto& b) { return a.DistDownRange <= b.DistDownRange; },
};

bool IsWater(const ShotRecord& r) {
    return r.ShotType().starts_with("W") || r.ShotType().starts_with("w");
}

// DBT - heave - tide in single-precision steps.
float Depth(const ShotRecord& r) {
    float depth = r.DBT - r.Heave;
    return depth - r.Tide;
}

std::vector<ShotRecord> Snapshot(const Job& job) {
    std::vector<ShotRecord> records;
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line)
        for (std::int32_t shot = 0; shot < job.Data.StoredCount(line); ++shot)
            records.push_back(job.Data.At(line, shot));
    return records;
}

TEST(LoadArray, StoresEveryLineAsShownInSortOrderAndSettlesByTheThirdPass) {
    for (int sortOrder = 0; sortOrder <= 6; ++sortOrder) {
        SCOPED_TRACE("sort order " + std::to_string(sortOrder));
        // What the grid shows, read back (exact for display texts of this size).
        const auto shown = [](auto value, int decimals) {
            return static_cast<decltype(value)>(LeadingNumberValue(MaskText(value, decimals)));
        };
        Job job(30, 150);
        std::mt19937 random(100 + static_cast<unsigned>(sortOrder));
        FillRandomJob(job, random, 20, 140);
        // The records as read, by line and sequence number (unique within a line here).
        std::map<std::pair<std::int32_t, std::int32_t>, ShotRecord> read;
        for (std::int32_t line = 1; line <= job.LineCount; ++line)
            for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot)
                read[{line, job.Data.At(line, shot).SeqNum}] = job.Data.At(line, shot);
        std::int32_t shots = 0;
        for (std::int32_t line = 1; line <= job.LineCount; ++line) shots += job.ShotCount(line);

        testing::ScriptedPrompter prompter;
        DataEditor editor(job, prompter);
        editor.Options().SortOrder = sortOrder;
        job.CurrentLine = 4;
        editor.LoadProfileNumbers();
        editor.LoadArray();

        for (std::int32_t line = 1; line <= job.LineCount; ++line) {
            shots -= job.ShotCount(line);
            const auto before = [&](std::int32_t seqNum) { return read.at({line, seqNum}); };
            for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot) {
                const auto& r = job.Data.At(line, shot);
                SCOPED_TRACE("line " + std::to_string(line) + " shot " + std::to_string(shot));
                EXPECT_EQ(r.Easting, shown(r.Easting, 4));
                EXPECT_EQ(r.Northing, shown(r.Northing, 4));
                for (const float value : {r.DistDownRange, r.Elevation, r.Tide}) EXPECT_EQ(value, shown(value, 1));
                for (const float value : {r.DBT, r.Heave, r.Pitch, r.Roll}) EXPECT_EQ(value, shown(value, 2));
                if (IsWater(r)) {
                    EXPECT_EQ(r.Elevation, shown(-Depth(before(r.SeqNum)), 1));
                }
                EXPECT_TRUE(r.Remark() == "R\tWITH TAB" || r.Remark().starts_with("PRO ")) << r.Remark();
                EXPECT_EQ(r.SurveyType(), "");
                EXPECT_EQ(r.ProfileNumber(), job.LineName(line));
                EXPECT_TRUE(shot == 1 || InOrder[sortOrder](job.Data.At(line, shot - 1), r));
            }
        }
        EXPECT_EQ(shots, 0) << "no shot lost or added";
        EXPECT_EQ(job.LoadingCount, 0);
        EXPECT_EQ(editor.Grid().Rows(), job.ShotCount(job.CurrentLine) + 1);
        EXPECT_TRUE(prompter.Messages().empty());

        const auto once = Snapshot(job);
        editor.LoadArray();
        const auto twice = Snapshot(job);
        ASSERT_EQ(twice.size(), once.size());
        for (std::size_t at = 0; at < once.size(); ++at) {
            auto moved = once[at];
            if (!IsWater(moved)) {
                EXPECT_TRUE(twice[at] == moved) << "record " << at;
                continue;
            }
            // Now from the rounded sounder values: one display unit at most.
            EXPECT_EQ(twice[at].Elevation, shown(-Depth(moved), 1)) << "record " << at;
            EXPECT_LE(std::fabs(twice[at].Elevation - moved.Elevation), 0.1001f) << "record " << at;
            moved.Elevation = twice[at].Elevation;
            EXPECT_TRUE(twice[at] == moved) << "record " << at;
        }
        editor.LoadArray();
        EXPECT_TRUE(Snapshot(job) == twice);
        if (::testing::Test::HasFailure()) return;
    }
}

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
