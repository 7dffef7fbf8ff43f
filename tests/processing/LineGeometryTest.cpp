// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LineGeometry.h"

#include "core/Job.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

struct Position {
    double Northing;
    double Easting;
};

class LineGeometryTest : public ::testing::Test {
protected:
    static constexpr std::int32_t Line = 2;

    void SetStart(double northing, double easting, float angle) {
        ShotRecord& header = job.Data.EditHeader(Line);
        header.StartNorthing() = northing;
        header.StartEasting() = easting;
        header.LineAngle() = angle;
    }

    void SetShots(const std::vector<Position>& shots) {
        job.Data.EditHeader(Line).ShotCount() = static_cast<std::int32_t>(shots.size());
        for (std::size_t i = 0; i < shots.size(); ++i) {
            ShotRecord& shot = job.Data.Edit(Line, static_cast<std::int32_t>(i + 1));
            shot.Northing = shots[i].Northing;
            shot.Easting = shots[i].Easting;
            shot.SetProfileNumber("012BD");
        }
    }

    const ShotRecord& Shot(std::int32_t shot) const { return job.Data.At(Line, shot); }
    double Distance(std::int32_t shot) const { return DistanceDownRange(job, Line, shot); }

    // Distance of one shot at (northing, easting) on a line starting at
    // (1000, 500) with the given angle.
    double DistanceOf(float angle, double northing, double easting) {
        SetStart(1000, 500, angle);
        SetShots({{northing, easting}});
        return Distance(1);
    }

    void Normalize(std::int32_t first = 0, std::int32_t last = 0) { NormalizeLine(job, Line, first, last, prompter); }

    Job job{5, 40};
    ScriptedPrompter prompter;
};

TEST_F(LineGeometryTest, StartingPointIsTheSumOfTheHeaderNotZero) {
    EXPECT_FALSE(HasStartingPoint(job, Line));
    SetShots({{990, 503}});
    EXPECT_FALSE(HasStartingPoint(job, Line)) << "shots' coordinates do not count";
    SetStart(0, 0, 0.5f);
    EXPECT_TRUE(HasStartingPoint(job, Line));
    SetStart(0, 0, 0);
    EXPECT_FALSE(HasStartingPoint(job, Line));
    EXPECT_EQ(Distance(1), 0);
    // Indices outside the table are lines without a starting point, not a crash.
    EXPECT_FALSE(HasStartingPoint(job, -1));
    EXPECT_FALSE(HasStartingPoint(job, job.Data.LineBound() + 1));
}

TEST(Bearing, FollowsTheQuadrantTable) {
    const double halfPi = 1.570796326794895;
    const double threeHalvesPi = 4.712388980384685;
    const double quarter = std::atan(1.0);
    EXPECT_EQ(Bearing(5, 5, 5, 5).Radians, 0);
    EXPECT_EQ(Bearing(5, 5, 5, 9).Radians, halfPi);
    EXPECT_EQ(Bearing(5, 5, 5, 1).Radians, threeHalvesPi);
    EXPECT_EQ(Bearing(5, 5, 9, 5).Radians, 0);
    EXPECT_EQ(Bearing(5, 5, 1, 5).Radians, 3.14159265358979);
    EXPECT_DOUBLE_EQ(Bearing(5, 5, 6, 6).Radians, halfPi - quarter);
    EXPECT_DOUBLE_EQ(Bearing(5, 5, 6, 4).Radians, threeHalvesPi + quarter);
    EXPECT_DOUBLE_EQ(Bearing(5, 5, 4, 6).Radians, halfPi + quarter);
    EXPECT_DOUBLE_EQ(Bearing(5, 5, 4, 4).Radians, threeHalvesPi - quarter);
    // North-east with a steep rise: the table measures the angle off the northing axis.
    EXPECT_NEAR(Bearing(0, 0, 1, std::sqrt(3.0)).Degrees, 60, 1e-9);
    EXPECT_EQ(Bearing(0, 0, 0, 1).Degrees, 1.570796326794895 * 57.29577951308238);
}

TEST_F(LineGeometryTest, DistanceIsPositiveOppositeTheLineAngle) {
    EXPECT_EQ(DistanceOf(0, 990, 500), 10.0); // angle 0 runs south
    EXPECT_EQ(DistanceOf(0, 1010, 500), -10.0);
    EXPECT_EQ(DistanceOf(90, 1000, 490), 10.0); // 90 runs west
    EXPECT_EQ(DistanceOf(90, 1000, 510), -10.0);
    EXPECT_EQ(DistanceOf(180, 1010, 500), 10.0); // 180 runs north
    EXPECT_EQ(DistanceOf(270, 1000, 510), 10.0); // 270 runs east
    EXPECT_EQ(DistanceOf(270, 1000, 490), -10.0);
    EXPECT_EQ(DistanceOf(0, 1000, 500), 0.0);
    // Off the line, the full distance to the start counts.
    EXPECT_NEAR(DistanceOf(0, 990, 503), 10.4, 1e-12);
}

TEST_F(LineGeometryTest, DistanceIsRoundedToOneDecimalHalvesAway) {
    EXPECT_EQ(DistanceOf(0, 1000 - 12.25, 500), 12.3);
    EXPECT_EQ(DistanceOf(0, 1000 + 12.25, 500), -12.3);
    EXPECT_EQ(DistanceOf(0, 1000 - 12.34, 500), 12.3);
    EXPECT_EQ(DistanceOf(0, 1000 - 0.25, 500), 0.3);
    // 1000 - 999.95 is 0.04999999999995: its fifteen digits round down.
    EXPECT_EQ(DistanceOf(0, 999.95, 500), 0.0);
    const double nearZero = DistanceOf(0, 1000.04, 500);
    EXPECT_EQ(nearZero, 0.0);
    EXPECT_FALSE(std::signbit(nearZero)) << "-0.04 rounds to a plain zero";
}

TEST_F(LineGeometryTest, SquareToTheLineTheShortSignBoundsDecide) {
    // For angle 0 the down-range direction is 3*pi/2 as 4.712388980384685,
    // just inside the 13-decimal bound 4.7123889803847: due east is behind;
    // due west is 1.570796326794895 off, just inside the lower bound: ahead.
    EXPECT_EQ(DistanceOf(0, 1000, 510), -10.0);
    EXPECT_EQ(DistanceOf(0, 1000, 490), 10.0);
    // For angle 90 both square directions sit just below 1.5707963267949: ahead.
    EXPECT_EQ(DistanceOf(90, 1010, 500), 10.0);
    EXPECT_EQ(DistanceOf(90, 990, 500), 10.0);
}

TEST_F(LineGeometryTest, AngleIsUsedInWholeDegreesHalvesToEven) {
    // 45.5 and 46.5 both act as 46: the direction 224 degrees (math angle).
    const double alongDown = std::numbers::pi * 224 / 180;
    for (const float angle : {45.5f, 46.5f, 46.0f}) {
        const double n = 1000 + 20 * std::sin(alongDown);
        const double e = 500 + 20 * std::cos(alongDown);
        EXPECT_EQ(DistanceOf(angle, n, e), 20.0) << angle;
        // 91 degrees off the direction of 46 is behind, 89 ahead.
        const double behind = alongDown + std::numbers::pi * 91 / 180;
        EXPECT_EQ(DistanceOf(angle, 1000 + 20 * std::sin(behind), 500 + 20 * std::cos(behind)), -20.0) << angle;
        const double ahead = alongDown + std::numbers::pi * 89 / 180;
        EXPECT_EQ(DistanceOf(angle, 1000 + 20 * std::sin(ahead), 500 + 20 * std::cos(ahead)), 20.0) << angle;
    }
}

TEST_F(LineGeometryTest, AnglesPastAFullTurnKeepTheirDirection) {
    // 720 is angle 0 again: south is ahead; the reference is not left negative.
    EXPECT_EQ(DistanceOf(720, 990, 500), 10.0);
    EXPECT_EQ(DistanceOf(720, 1010, 500), -10.0);
    EXPECT_EQ(DistanceOf(-90, 1000, 510), 10.0);
    EXPECT_EQ(DistanceOf(-90, 1000, 490), -10.0);
}

TEST_F(LineGeometryTest, PointFromDistanceWorksOnTheCurrentLine) {
    job.CurrentLine = Line;
    SetStart(1000, 500, 0);
    double n = 1;
    double e = 2;
    PointFromDistance(job, 10, n, e, prompter);
    EXPECT_NEAR(n, 990, 1e-9);
    EXPECT_NEAR(e, 500, 1e-9);
    SetStart(1000, 500, 90);
    PointFromDistance(job, -2.5f, n, e, prompter);
    EXPECT_NEAR(n, 1000, 1e-9);
    EXPECT_NEAR(e, 502.5, 1e-9);
    EXPECT_TRUE(prompter.Calls().empty());

    job.CurrentLine = Line + 1;
    n = 1;
    e = 2;
    PointFromDistance(job, 10, n, e, prompter);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(e, 2);
    ASSERT_EQ(prompter.Messages(), std::vector<std::string>{"No Starting Point for this line."});
    EXPECT_EQ(prompter.Calls()[0].Message.Title, "");
    EXPECT_EQ(prompter.Calls()[0].Message.Buttons, MessageButtons::Ok);
}

TEST_F(LineGeometryTest, ReferenceAngleIsTakenInSinglePrecision) {
    // 630 - 10.500001f is 619.49999905 in double but exactly 619.5 in single
    // precision, which rounds to 620: the direction is 260 degrees, not 259.
    job.CurrentLine = Line;
    SetStart(0, 0, 10.500001f);
    double n = 0;
    double e = 0;
    PointFromDistance(job, 100, n, e, prompter);
    const double expected = 260 * 0.017453292519943278;
    EXPECT_NEAR(n, 100 * std::sin(expected), 1e-12);
    EXPECT_NEAR(e, 100 * std::cos(expected), 1e-12);
}

TEST_F(LineGeometryTest, NormalizeWithoutStartingPointReportsAndChangesNothing) {
    SetShots({{990, 503}, {980, 497}});
    Normalize();
    EXPECT_EQ(Shot(1).Easting, 503);
    EXPECT_EQ(Shot(2).Northing, 980);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].Message.Text, "Cannot Normalize - No Starting Point Found for 012BD");
    EXPECT_EQ(prompter.Calls()[0].Message.Title, "ERROR !");
    EXPECT_EQ(prompter.Calls()[0].Message.Buttons, MessageButtons::Ok);
}

TEST_F(LineGeometryTest, NormalizeNorthSouthAndEastWestMoveOneCoordinate) {
    SetStart(1000, 500, 0);
    SetShots({{990, 503}, {1010, 500}});
    Normalize();
    EXPECT_EQ(Shot(1).Easting, 500);
    EXPECT_EQ(Shot(1).Northing, 990);
    EXPECT_EQ(Shot(1).DistDownRange, 10.0f);
    EXPECT_EQ(Shot(2).DistDownRange, -10.0f);

    SetStart(1000, 500, 90);
    SetShots({{1003, 490}, {997, 530}});
    Normalize();
    EXPECT_EQ(Shot(1).Northing, 1000);
    EXPECT_EQ(Shot(1).Easting, 490);
    EXPECT_EQ(Shot(1).DistDownRange, 10.0f);
    EXPECT_EQ(Shot(2).DistDownRange, -30.0f);

    // 359.6 rounds to 360, a full turn: north-south again.
    SetStart(1000, 500, 359.6f);
    SetShots({{990, 503}});
    Normalize();
    EXPECT_EQ(Shot(1).Easting, 500);
}

TEST_F(LineGeometryTest, NormalizeNegativeAnglesOntoTheSameLine) {
    // -180 is the north-south line; the slope of a near-vertical line must not
    // wreck the northings.
    SetStart(1000000, 500000, -180);
    SetShots({{1000010, 500003}});
    Normalize();
    EXPECT_NEAR(Shot(1).Easting, 500000, 1e-6);
    EXPECT_NEAR(Shot(1).Northing, 1000010, 1e-6);
    EXPECT_EQ(Shot(1).DistDownRange, 10.0f);

    SetStart(1000000, 500000, -90);
    SetShots({{1000007, 500010}});
    Normalize();
    EXPECT_NEAR(Shot(1).Northing, 1000000, 1e-6);
    EXPECT_NEAR(Shot(1).Easting, 500010, 1e-6);
    EXPECT_EQ(Shot(1).DistDownRange, 10.0f);
}

TEST_F(LineGeometryTest, NormalizeUsesTheRoundedAngle) {
    // 45.5 is normalized as 46: the shot lands on the 46 degree line.
    SetStart(0, 0, 45.5f);
    SetShots({{-30, -10}});
    Normalize();
    const double direction = std::numbers::pi * 224 / 180;
    const double across = Shot(1).Easting * std::sin(direction) - Shot(1).Northing * std::cos(direction);
    EXPECT_NEAR(across, 0, 1e-9);
}

TEST_F(LineGeometryTest, NormalizeBoundsZeroMeanTheWholeLineAndAreOrdered) {
    SetStart(1000, 500, 0);
    std::vector<Position> shots;
    for (int i = 1; i <= 9; ++i) shots.push_back({1000.0 - i, 500.0 + i});
    SetShots(shots);

    std::int32_t first = 7;
    std::int32_t last = 3;
    NormalizeLine(job, Line, first, last, prompter);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 7);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(Shot(i).Easting, (i >= 3 && i <= 7) ? 500.0 : 500.0 + i) << i;
    EXPECT_EQ(Shot(2).DistDownRange, 0) << "shots outside the range keep their distance";

    first = 0;
    last = 0;
    NormalizeLine(job, Line, first, last, prompter);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 9);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(Shot(i).Easting, 500.0) << i;
    EXPECT_EQ(Shot(9).DistDownRange, 9.0f);
}

TEST_F(LineGeometryTest, NormalizeTouchesOnlyPositionAndDistanceOfEveryShot) {
    SetStart(1000, 500, 30);
    SetShots({{990, 503}});
    ShotRecord& shot = job.Data.Edit(Line, 1);
    shot.Ignore = true;
    shot.Elevation = -1.25f;
    shot.DBT = 3.5f;
    shot.SeqNum = 77;
    shot.SetRemark("PRO12 W");
    shot.SetShotType("W");
    ShotRecord before = Shot(1);
    const ShotRecord header = job.Data.Header(Line);

    Normalize();
    ShotRecord after = Shot(1);
    EXPECT_NE(after.Northing, before.Northing) << "ignored shots are normalized as well";
    after.Northing = before.Northing;
    after.Easting = before.Easting;
    after.DistDownRange = before.DistDownRange;
    EXPECT_EQ(after, before);
    EXPECT_EQ(job.Data.Header(Line), header);
}

TEST_F(LineGeometryTest, NormalizeOfAnEmptyLineNeverMovesTheHeader) {
    SetStart(1000, 500, 30);
    const ShotRecord header = job.Data.Header(Line);
    std::int32_t first = 0;
    std::int32_t last = 0;
    NormalizeLine(job, Line, first, last, prompter);
    EXPECT_EQ(job.Data.Header(Line), header);
    // Bounds past the table's end stop at its last record.
    first = 1;
    last = 10000;
    NormalizeLine(job, Line, first, last, prompter);
    EXPECT_EQ(job.Data.Header(Line), header);
}

// After normalizing, every shot lies on the line through the starting point
// at the whole-degree angle, and its distance is its signed projection on the
// down-range direction, rounded to 0.1.
TEST_F(LineGeometryTest, PropertyNormalizedShotsLieOnTheLineAtTheirDistance) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> coordinate(1.0e5, 4.0e6);
    std::uniform_real_distribution<double> offset(-5000, 5000);
    std::uniform_real_distribution<float> anyAngle(-400, 800);
    std::uniform_int_distribution<int> wholeAngle(-360, 720);
    const int shotCount = 30;
    const double extent = 5000 * std::sqrt(2.0);

    for (int trial = 0; trial < 400; ++trial) {
        const float angle = trial % 3 == 0 ? static_cast<float>(wholeAngle(random)) : anyAngle(random);
        const double n0 = coordinate(random);
        const double e0 = coordinate(random);
        SetStart(n0, e0, angle);
        std::vector<Position> shots;
        for (int i = 0; i < shotCount; ++i) shots.push_back({n0 + offset(random), e0 + offset(random)});
        SetShots(shots);
        Normalize();

        const double wholeAngleUsed = std::nearbyint(static_cast<double>(angle)); // halves to even
        const double direction = (270 - wholeAngleUsed) * std::numbers::pi / 180;
        for (int j = 1; j <= shotCount; ++j) {
            const double dn = Shot(j).Northing - n0;
            const double de = Shot(j).Easting - e0;
            const double across = de * std::sin(direction) - dn * std::cos(direction);
            ASSERT_LT(std::fabs(across), 1e-6 * extent) << "angle " << angle << " shot " << j;

            const double along = de * std::cos(direction) + dn * std::sin(direction);
            const double tenths = along * 10;
            if (std::fabs(tenths - std::floor(tenths) - 0.5) < 1e-6) continue; // too close to a tie to judge
            const auto expected = static_cast<float>(std::round(tenths) / 10);
            ASSERT_EQ(Shot(j).DistDownRange, expected) << "angle " << angle << " shot " << j << " along " << along;
        }
    }
}

} // namespace
} // namespace tolvanor
