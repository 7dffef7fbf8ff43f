// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LineGeometry.h"

#include "core/Job.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <tuple>
#include <vector>

namespace tolvanor {
namespace {

struct Position {
    double Northing;
    double Easting;
};

class LineGeometryTest : public ::testing::Test {
protected:
    static constexpr std::int32_t Line = 2;

    void SetLine(double northing, double easting, float angle, const std::vector<Position>& shots) {
        ShotRecord& header = job.Data.EditHeader(Line);
        header.StartNorthing() = northing;
        header.StartEasting() = easting;
        header.LineAngle() = angle;
        header.ShotCount() = static_cast<std::int32_t>(shots.size());
        for (std::int32_t j = 1; const Position& at : shots) { // `header` may move as the line grows
            ShotRecord& shot = job.Data.Edit(Line, j++);
            shot.Northing = at.Northing;
            shot.Easting = at.Easting;
            shot.SetProfileNumber("012BD");
        }
    }

    const ShotRecord& Shot(std::int32_t shot) const { return job.Data.At(Line, shot); }
    void Normalize(std::int32_t first = 0, std::int32_t last = 0) { NormalizeLine(job, Line, first, last, prompter); }

    Job job{5, 40};
    testing::ScriptedPrompter prompter;
};

// Down range runs opposite the line angle's compass direction; one decimal, halves away from zero.
TEST_F(LineGeometryTest, DistanceIsSignedAlongTheLineAndRoundedToOneDecimal) {
    // The line angle, the shot's northing and easting, its distance from (1000, 500).
    const std::tuple<float, double, double, double> cases[] = {
        // clang-format off
        {0, 990, 500, 10}, {0, 1010, 500, -10}, {0, 1000, 500, 0}, {90, 1000, 490, 10}, {90, 1000, 510, -10},
        {180, 1010, 500, 10}, {270, 1000, 510, 10}, {270, 1000, 490, -10}, {720, 990, 500, 10}, {-90, 1000, 510, 10},
        {-90, 1000, 490, -10}, {0, 990, 503, 10.4}, // off the line the full distance to the start counts
        // Square to the line the 13-decimal sign bounds decide: 0 west and 90 both ways are ahead.
        {0, 1000, 510, -10}, {0, 1000, 490, 10}, {90, 1010, 500, 10}, {90, 990, 500, 10},
        // 999.95 is 0.04999999999995 away; 1000.04 rounds to a plain zero.
        {0, 987.75, 500, 12.3}, {0, 1012.25, 500, -12.3}, {0, 987.66, 500, 12.3}, {0, 999.95, 500, 0},
        {0, 1000.04, 500, 0},
        // clang-format on
    };
    for (const auto& [angle, northing, easting, expected] : cases) {
        SetLine(1000, 500, angle, {{northing, easting}});
        const double distance = DistanceDownRange(job, Line, 1);
        EXPECT_EQ(distance, expected) << angle << " " << northing << " " << easting;
        EXPECT_FALSE(std::signbit(distance) && distance == 0) << northing;
    }
}

TEST_F(LineGeometryTest, PointFromDistanceAndLinesWithoutAStartingPoint) {
    // 630 - 10.500001f is 619.5 in single precision (619.49999905 in double),
    // which rounds to 620: the direction is 260 degrees, not 259.
    job.CurrentLine = Line;
    SetLine(1000, 500, 10.500001f, {});
    double n = 0;
    double e = 0;
    PointFromDistance(job, -2.5f, n, e, prompter);
    EXPECT_NEAR(n, 1000 - 2.5 * std::sin(260 * 0.017453292519943278), 1e-9);
    EXPECT_NEAR(e, 500 - 2.5 * std::cos(260 * 0.017453292519943278), 1e-9);
    SetLine(0, 0, 0.5f, {});
    EXPECT_TRUE(HasStartingPoint(job, Line)) << "the angle alone is a starting point";
    EXPECT_FALSE(HasStartingPoint(job, -1) || HasStartingPoint(job, job.Data.LineBound() + 1)) << "outside the table";
    EXPECT_NEAR(Bearing(0, 0, 1, std::sqrt(3.0)).Degrees, 60, 1e-9);

    // No starting point: the header sums to 0, whatever the shots' coordinates.
    SetLine(0, 0, 0, {{990, 503}});
    EXPECT_FALSE(HasStartingPoint(job, Line));
    EXPECT_EQ(DistanceDownRange(job, Line, 1), 0);
    PointFromDistance(job, 10, n, e, prompter);
    Normalize();
    EXPECT_NEAR(n, 1000 - 2.5 * std::sin(260 * 0.017453292519943278), 1e-9) << "nothing moves";
    EXPECT_EQ(Shot(1).Easting, 503);
    ASSERT_EQ(prompter.Calls().size(), 2u);
    const auto shown = [&](std::size_t call) {
        const auto& box = prompter.Calls()[call].Message;
        return std::tuple(box.Text, box.Title, box.Buttons);
    };
    EXPECT_EQ(shown(0), std::tuple("No Starting Point for this line.", "", MessageButtons::Ok));
    EXPECT_EQ(shown(1),
              std::tuple("Cannot Normalize - No Starting Point Found for 012BD", "ERROR !", MessageButtons::Ok));
}

// Only position and distance change, ignored shots included.
TEST_F(LineGeometryTest, NormalizeMovesShotsOntoTheLine) {
    // The line angle, its starting point, a shot before and after, its distance.
    const std::tuple<float, Position, Position, Position, float> cases[] = {
        // clang-format off
        {0, {1000, 500}, {990, 503}, {990, 500}, 10},    {0, {1000, 500}, {1010, 500}, {1010, 500}, -10},
        {90, {1000, 500}, {1003, 490}, {1000, 490}, 10}, {90, {1000, 500}, {997, 530}, {1000, 530}, -30},
        {359.6f, {1000, 500}, {990, 503}, {990, 500}, 10}, // a full turn: north-south again
        // Negative angles take the general branch: a near-vertical slope must not wreck the northings.
        {-180, {1e6, 5e5}, {1e6 + 10, 5e5 + 3}, {1e6 + 10, 5e5}, 10},
        {-90, {1e6, 5e5}, {1e6 + 7, 5e5 + 10}, {1e6, 5e5 + 10}, 10},
        // clang-format on
    };
    for (const auto& [angle, start, shot, expected, distance] : cases) {
        SetLine(start.Northing, start.Easting, angle, {shot});
        job.Data.Edit(Line, 1).Ignore = true;
        const ShotRecord header = job.Data.Header(Line);
        Normalize();
        EXPECT_NEAR(Shot(1).Northing, expected.Northing, 1e-6) << angle;
        EXPECT_NEAR(Shot(1).Easting, expected.Easting, 1e-6) << angle;
        EXPECT_EQ(Shot(1).DistDownRange, distance) << angle;
        EXPECT_TRUE(Shot(1).Ignore && Shot(1).ProfileNumber() == "012BD" && job.Data.Header(Line) == header);
    }
}

TEST_F(LineGeometryTest, NormalizeBoundsAreOrderedAndZeroMeansTheWholeLine) {
    SetLine(1000, 500, 0, {{999, 501}, {998, 502}, {997, 503}, {996, 504}});
    std::int32_t first = 3;
    std::int32_t last = 2;
    NormalizeLine(job, Line, first, last, prompter);
    EXPECT_EQ(std::pair(first, last), std::pair(2, 3));
    EXPECT_EQ(std::vector({Shot(1).Easting, Shot(2).Easting, Shot(3).Easting, Shot(4).Easting}),
              std::vector<double>({501, 500, 500, 504}));
    EXPECT_EQ(Shot(1).DistDownRange, 0) << "shots outside the range keep their distance";
    first = last = 0;
    NormalizeLine(job, Line, first, last, prompter);
    EXPECT_EQ(std::pair(first, last), std::pair(1, 4));
    EXPECT_EQ(Shot(4).DistDownRange, 4.0f);
}

// After normalizing, every shot lies on the line through the starting point at
// the whole-degree angle (halves to even), and its distance is its signed
// projection on the down-range direction, rounded to 0.1.
TEST_F(LineGeometryTest, PropertyNormalizedShotsLieOnTheLineAtTheirDistance) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> coordinate(1.0e5, 4.0e6);
    std::uniform_real_distribution<double> offset(-5000, 5000);
    std::uniform_real_distribution<float> anyAngle(-400, 800);
    std::uniform_int_distribution<int> wholeAngle(-360, 720);
    for (int trial = 0; trial < 400; ++trial) {
        const auto whole = static_cast<float>(wholeAngle(random));
        const float angle = trial % 3 == 0 ? whole : trial % 3 == 1 ? whole + 0.5f : anyAngle(random);
        const double n0 = coordinate(random);
        const double e0 = coordinate(random);
        std::vector<Position> shots;
        for (int i = 0; i < 30; ++i) shots.push_back({n0 + offset(random), e0 + offset(random)});
        SetLine(n0, e0, angle, shots);
        Normalize();

        const double direction = (270 - std::nearbyint(static_cast<double>(angle))) * std::numbers::pi / 180;
        for (std::int32_t j = 1; j <= 30; ++j) {
            const double dn = Shot(j).Northing - n0;
            const double de = Shot(j).Easting - e0;
            const double across = de * std::sin(direction) - dn * std::cos(direction);
            ASSERT_LT(std::fabs(across), 1e-6 * 5000 * std::sqrt(2.0)) << "angle " << angle << " shot " << j;
            const double tenths = (de * std::cos(direction) + dn * std::sin(direction)) * 10;
            if (std::fabs(tenths - std::floor(tenths) - 0.5) < 1e-6) continue; // too close to a tie to judge
            ASSERT_EQ(Shot(j).DistDownRange, static_cast<float>(std::round(tenths) / 10)) << "angle " << angle;
        }
    }
}

} // namespace
} // namespace tolvanor
