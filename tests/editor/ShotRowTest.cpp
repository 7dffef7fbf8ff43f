// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ShotRow.h"

#include "core/ShotRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvanor {
namespace {

using Col = LineDataColumn;

ShotRowTexts RowOf(const ShotRecord& shot) {
    ShotRowTexts cells;
    ShotToRowTexts(shot, cells);
    return cells;
}

ShotRecord ShotOf(const std::vector<std::string>& cells, std::string_view profile = "12") {
    ShotRecord shot;
    shot.SetSurveyType("BD");
    shot.SetRemark("old remark");
    RowTextsToShot(cells, profile, shot);
    return shot;
}

// A row of the given cells, the rest plain.
std::vector<std::string> Cells(std::initializer_list<std::pair<int, std::string>> given) {
    std::vector<std::string> cells = {" 1", "1.0000", "2.0000", ".0", ".0",  ".00", ".00",
                                      ".0", "",       "L",      "No", ".00", ".00"};
    for (const auto& [col, text] : given) cells[static_cast<std::size_t>(col)] = text;
    return cells;
}

TEST(ShotRowDisplay, EveryColumnShowsItsPattern) {
    ShotRecord shot;
    shot.SeqNum = 12;
    shot.Easting = 1234567.123456;
    shot.Northing = -0.00004;
    shot.DistDownRange = 0.5f;
    shot.Elevation = 0.0f;
    shot.DBT = 0.5f;
    shot.Heave = -1.005f;
    shot.Tide = 12.25f;
    shot.SetRemark("TOE\tOF SLOPE");
    shot.SetShotType("B");
    shot.Ignore = true;
    shot.Pitch = 3.0f;
    shot.Roll = -0.004f;
    const auto cells = RowOf(shot);
    EXPECT_EQ(cells[Col::SeqNum], " 12");
    EXPECT_EQ(cells[Col::Easting], "1234567.1235");
    EXPECT_EQ(cells[Col::Northing], ".0000");
    EXPECT_EQ(cells[Col::Distance], ".5");
    EXPECT_EQ(cells[Col::Elevation], ".0");
    EXPECT_EQ(cells[Col::DBT], ".50");
    EXPECT_EQ(cells[Col::Heave], "-1.01"); // the 7-digit text 1.005000 rounds its half up
    EXPECT_EQ(cells[Col::Tide], "12.3");
    EXPECT_EQ(cells[Col::Remark], "TOE\tOF SLOPE");
    EXPECT_EQ(cells[Col::Shot], "B");
    EXPECT_EQ(cells[Col::Ignore], "Yes");
    EXPECT_EQ(cells[Col::Pitch], "3.00");
    EXPECT_EQ(cells[Col::Roll], ".00");

    shot.SeqNum = -3;
    shot.Ignore = false;
    EXPECT_EQ(RowOf(shot)[Col::SeqNum], "-3");
    EXPECT_EQ(RowOf(shot)[Col::Ignore], "No");
}

TEST(ShotRowDisplay, WaterShotsShowTheSounderElevationOfTheirRow) {
    ShotRecord shot;
    shot.Elevation = 99.0f; // what a land shot would show
    shot.DBT = 4.25f;
    shot.Heave = 0.5f;
    shot.Tide = 1.25f;
    shot.SetShotType("W");
    // -(4.25 - .50 - 1.3) with the tide as its row shows it
    EXPECT_EQ(RowOf(shot)[Col::Elevation], "-2.5");
    shot.SetShotType("wave");
    EXPECT_EQ(RowOf(shot)[Col::Elevation], "-2.5");
    shot.SetShotType("SW");
    EXPECT_EQ(RowOf(shot)[Col::Elevation], "99.0");

    // The elevation agrees with the DBT shown (1.05), not the stored 1.046.
    shot.SetShotType("W");
    shot.DBT = 1.046f;
    shot.Heave = 0.0f;
    shot.Tide = 0.0f;
    const auto cells = RowOf(shot);
    EXPECT_EQ(cells[Col::DBT], "1.05");
    EXPECT_EQ(cells[Col::Elevation], "-1.1");
}

TEST(ShotRowStore, NumbersAreTheLeadingNumbersOfTheCells) {
    const auto shot = ShotOf(Cells({{Col::SeqNum, " 2.5"},
                                    {Col::Easting, "402511.3751"},
                                    {Col::Northing, "abc"},
                                    {Col::Distance, " -12.5m"},
                                    {Col::Elevation, "12abc"},
                                    {Col::DBT, "1e1"},
                                    {Col::Tide, "-.4"}}));
    EXPECT_EQ(shot.SeqNum, 2); // halves to even
    EXPECT_EQ(shot.Easting, 402511.3751);
    EXPECT_EQ(shot.Northing, 0.0);
    EXPECT_EQ(shot.DistDownRange, -12.5f);
    EXPECT_EQ(shot.Elevation, 12.0f);
    EXPECT_EQ(shot.DBT, 10.0f);
    EXPECT_EQ(shot.Tide, -0.4f);
    EXPECT_EQ(ShotOf(Cells({{Col::SeqNum, "3.5"}})).SeqNum, 4);
    EXPECT_EQ(ShotOf(Cells({{Col::SeqNum, "9e99"}})).SeqNum, 2147483647); // clamped, not undefined
}

TEST(ShotRowStore, PitchAndRollMustBeWholeNumbers) {
    EXPECT_EQ(ShotOf(Cells({{Col::Pitch, "12abc"}})).Pitch, 0.0f);
    EXPECT_EQ(ShotOf(Cells({{Col::Pitch, " 1.5 "}})).Pitch, 1.5f);
    EXPECT_EQ(ShotOf(Cells({{Col::Roll, ""}})).Roll, 0.0f);
    EXPECT_EQ(ShotOf(Cells({{Col::Roll, "-2.25"}})).Roll, -2.25f);
}

TEST(ShotRowStore, TextsFlagsAndProfile) {
    const auto shot = ShotOf(Cells({{Col::Remark, "A\tB"}, {Col::Shot, "w"}, {Col::Ignore, "Yes"}}), "012BD");
    EXPECT_EQ(shot.Remark(), "A\tB");
    EXPECT_EQ(shot.ShotType(), "w");
    EXPECT_TRUE(shot.Ignore);
    EXPECT_EQ(shot.ProfileNumber(), "012BD");
    EXPECT_EQ(shot.SurveyType(), "");
    EXPECT_FALSE(ShotOf(Cells({{Col::Ignore, "yes"}})).Ignore);
    EXPECT_TRUE(ShotOf(Cells({{Col::Ignore, "Y"}})).Ignore);
    EXPECT_EQ(ShotOf(Cells({})).Remark(), "");
}

} // namespace
} // namespace tolvanor
