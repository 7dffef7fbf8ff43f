// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-job pass on random jobs, checked with the general number
// routines: every value ends up exactly as the grid shows it, the shots are
// in sort order, nothing is lost, and a second pass changes nothing.
#include "editor/DataEditor.h"

#include "EditorTestJobs.h"
#include "core/Job.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "core/Text.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

double ShownDouble(double value, int decimals) {
    double shown = 0;
    EXPECT_EQ(StrictToDouble(MaskText(value, decimals), shown), ConversionStatus::Ok);
    return shown;
}

float ShownSingle(float value, int decimals) {
    float shown = 0;
    EXPECT_EQ(StrictToFloat(MaskText(value, decimals), shown), ConversionStatus::Ok);
    return shown;
}

// What identifies a shot apart from its rounded numbers.
using ShotIdentity = std::tuple<int, std::string, std::string, bool>;

std::vector<ShotIdentity> Identities(const Job& job, std::int32_t line) {
    std::vector<ShotIdentity> shots;
    for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot) {
        const auto& record = job.Data.At(line, shot);
        shots.emplace_back(record.SeqNum, std::string(record.Remark()), std::string(record.ShotType()), record.Ignore);
    }
    std::sort(shots.begin(), shots.end());
    return shots;
}

std::vector<std::vector<ShotRecord>> Snapshot(const Job& job) {
    std::vector<std::vector<ShotRecord>> lines;
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) {
        std::vector<ShotRecord> records;
        for (std::int32_t shot = 0; shot < job.Data.StoredCount(line); ++shot)
            records.push_back(job.Data.At(line, shot));
        lines.push_back(std::move(records));
    }
    return lines;
}

// True when shot b may follow shot a under the sort order.
bool InOrder(int sortOrder, const ShotRecord& a, const ShotRecord& b) {
    switch (sortOrder) {
    case 0:
        return a.SeqNum <= b.SeqNum;
    case 1:
        return a.Northing >= b.Northing;
    case 2:
        return a.Easting <= b.Easting;
    case 3:
        return a.Northing <= b.Northing;
    case 4:
        return a.Easting >= b.Easting;
    case 5:
        return UpperAscii(a.ShotType()) <= UpperAscii(b.ShotType());
    case 6:
        return a.DistDownRange <= b.DistDownRange;
    default:
        return true;
    }
}

void ExpectStoredAsShown(const Job& job, std::int32_t line, int sortOrder) {
    const auto name = job.LineName(line);
    for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot) {
        const auto& record = job.Data.At(line, shot);
        SCOPED_TRACE("line " + std::to_string(line) + " shot " + std::to_string(shot));
        EXPECT_EQ(record.Easting, ShownDouble(record.Easting, 4));
        EXPECT_EQ(record.Northing, ShownDouble(record.Northing, 4));
        EXPECT_EQ(record.DistDownRange, ShownSingle(record.DistDownRange, 1));
        EXPECT_EQ(record.Elevation, ShownSingle(record.Elevation, 1));
        EXPECT_EQ(record.Tide, ShownSingle(record.Tide, 1));
        EXPECT_EQ(record.DBT, ShownSingle(record.DBT, 2));
        EXPECT_EQ(record.Heave, ShownSingle(record.Heave, 2));
        EXPECT_EQ(record.Pitch, ShownSingle(record.Pitch, 2));
        EXPECT_EQ(record.Roll, ShownSingle(record.Roll, 2));
        if (!record.ShotType().empty() && (record.ShotType()[0] == 'W' || record.ShotType()[0] == 'w')) {
            float depth = record.DBT - record.Heave;
            depth = depth - record.Tide;
            EXPECT_EQ(record.Elevation, ShownSingle(-depth, 1));
        }
        EXPECT_EQ(record.SurveyType(), "");
        EXPECT_EQ(record.ProfileNumber(), name);
        if (shot > 1) {
            EXPECT_TRUE(InOrder(sortOrder, job.Data.At(line, shot - 1), record));
        }
    }
}

class LoadArrayTest : public ::testing::TestWithParam<int> {};

TEST_P(LoadArrayTest, RoundsSortsKeepsEveryShotAndIsIdempotent) {
    const int sortOrder = GetParam();
    for (unsigned seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Job job(40, 150);
        std::mt19937 random(seed * 100 + static_cast<unsigned>(sortOrder));
        testing::FillRandomJob(job, random, 25, 140);
        std::vector<std::vector<ShotIdentity>> before;
        for (std::int32_t line = 1; line <= job.LineCount; ++line) before.push_back(Identities(job, line));

        ScriptedPrompter prompter;
        DataEditor editor(job, prompter);
        editor.Options().SortOrder = sortOrder;
        job.CurrentLine = 4;
        editor.LoadProfileNumbers();
        editor.LoadArray();

        for (std::int32_t line = 1; line <= job.LineCount; ++line) {
            EXPECT_EQ(Identities(job, line), before[static_cast<std::size_t>(line - 1)]);
            ExpectStoredAsShown(job, line, sortOrder);
        }
        EXPECT_EQ(job.LoadingCount, 0);
        EXPECT_EQ(editor.ProfileIndex(), 0);
        EXPECT_EQ(editor.Grid().Rows(), job.ShotCount(job.CurrentLine) + 1);
        EXPECT_TRUE(prompter.Messages().empty());

        const auto once = Snapshot(job);
        editor.LoadArray();
        EXPECT_TRUE(Snapshot(job) == once);
        if (::testing::Test::HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(SortOrders, LoadArrayTest, ::testing::Range(0, 7));

} // namespace
} // namespace tolvanor
