// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LineGeometry.h"

#include "core/Job.h"
#include "core/MaskText.h"
#include "core/Prompter.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace tolvanor {

namespace {

// The constants as the distances have always been computed with; the sign
// test's bounds are deliberately shorter than the quarter turns above them.
constexpr double DegreesToRadians = 0.017453292519943278;
constexpr double RadiansToDegrees = 57.29577951308238;
constexpr double HalfPi = 1.570796326794895;
constexpr double Pi = 3.14159265358979;
constexpr double ThreeHalvesPi = 4.712388980384685;
constexpr double BehindLow = 1.5707963267949;
constexpr double BehindHigh = 4.7123889803847;

const ShotRecord& HeaderOf(const Job& job, std::int32_t line) {
    return job.Data.Header(line);
}

bool LineInTable(const Job& job, std::int32_t line) {
    return job.Data.InRange(line, 0);
}

// Whole degrees, reduced by a truncating remainder: the sign of the dividend stays.
double WholeDegreesModulo(double degrees) {
    return std::fmod(RoundHalfEven(degrees), 360.0);
}

// The same, lifted into 0..359: angles outside 0..360 name the same direction
// as their reduced value, and the quadrant and sign tests below only hold there.
double WholeDegreesTurn(double degrees) {
    const double reduced = WholeDegreesModulo(degrees);
    return reduced < 0 ? reduced + 360 : reduced + 0.0;
}

// The math angle of the down-range direction, in radians. 630 - A is taken
// in single precision, as the angle itself is stored.
double ReferenceDirection(float lineAngle) {
    const float lifted = 630.0f - lineAngle;
    return WholeDegreesTurn(static_cast<double>(lifted)) * DegreesToRadians;
}

// Northing and easting of the foot of the perpendicular from (n, e) to the
// line of slope `m` (dN/dE) through (n0, e0).
void ProjectOntoSlope(double slope, double n0, double e0, double& northing, double& easting) {
    const double normalSlope = -1 / slope;
    const double intercept = n0 - slope * e0;
    const double normalIntercept = northing - normalSlope * easting;
    easting = (normalIntercept - intercept) / (slope - normalSlope);
    northing = slope * easting + intercept;
}

void ReportNoStartingPoint(const Job& job, std::int32_t line, Prompter& prompter) {
    MessageRequest request;
    request.Text = "Cannot Normalize - No Starting Point Found for " + std::string(job.LineName(line));
    request.Title = "ERROR !";
    prompter.Message(request);
}

// 0 stands for the line's first or last shot; reversed bounds are swapped.
void ResolveShotRange(const Job& job, std::int32_t line, std::int32_t& first, std::int32_t& last) {
    if (first == 0) first = 1;
    if (last == 0) last = job.ShotCount(line);
    if (first > last) std::swap(first, last);
}

} // namespace

bool HasStartingPoint(const Job& job, std::int32_t line) {
    if (!LineInTable(job, line)) return false;
    const ShotRecord& header = HeaderOf(job, line);
    return header.StartNorthing() + header.StartEasting() + static_cast<double>(header.LineAngle()) != 0;
}

BearingAngle Bearing(double e0, double n0, double e, double n) {
    int quadrant = 0;
    if (e > e0) quadrant += 4;
    if (e < e0) quadrant += 8;
    if (n > n0) quadrant += 1;
    if (n < n0) quadrant += 2;

    const auto offAxis = [&] { return std::atan(std::fabs(e - e0) / std::fabs(n - n0)); };
    double radians = 0;
    switch (quadrant) {
    case 1:
        radians = HalfPi;
        break;
    case 2:
        radians = ThreeHalvesPi;
        break;
    case 5:
        radians = HalfPi - offAxis();
        break;
    case 6:
        radians = ThreeHalvesPi + offAxis();
        break;
    case 8:
        radians = Pi;
        break;
    case 9:
        radians = HalfPi + offAxis();
        break;
    case 10:
        radians = ThreeHalvesPi - offAxis();
        break;
    default:
        radians = 0;
        break; // same position, or due east
    }
    return {radians, radians * RadiansToDegrees};
}

LineStart StartOf(const Job& job, std::int32_t line) {
    const ShotRecord& header = HeaderOf(job, line);
    return {header.StartNorthing(), header.StartEasting(), header.LineAngle()};
}

double DistanceFrom(const LineStart& start, const ShotRecord& record) {
    const double n0 = start.Northing;
    const double e0 = start.Easting;
    double distance =
        std::sqrt((record.Northing - n0) * (record.Northing - n0) + (record.Easting - e0) * (record.Easting - e0));
    const double reference = ReferenceDirection(start.Angle);
    const double offset = std::fabs(Bearing(e0, n0, record.Easting, record.Northing).Radians - reference);
    // Shots more than a quarter turn away from the down-range direction lie behind the start.
    if (offset > BehindLow && offset < BehindHigh) distance = -distance;
    // One decimal, halves away from zero, exactly as the distance column shows it.
    return MaskedValue(distance, 1);
}

double DistanceDownRange(const Job& job, std::int32_t line, std::int32_t shot) {
    if (!HasStartingPoint(job, line) || !job.Data.InRange(line, shot)) return 0;
    return DistanceFrom(StartOf(job, line), job.Data.At(line, shot));
}

void PointFromDistance(const Job& job, float distance, double& northing, double& easting, Prompter& prompter) {
    const std::int32_t line = job.CurrentLine;
    if (!HasStartingPoint(job, line)) {
        prompter.Message("No Starting Point for this line.");
        return;
    }
    const ShotRecord& header = HeaderOf(job, line);
    const double reference = ReferenceDirection(header.LineAngle());
    northing = header.StartNorthing() + std::sin(reference) * static_cast<double>(distance);
    easting = header.StartEasting() + std::cos(reference) * static_cast<double>(distance);
}

void NormalizeLine(Job& job, std::int32_t line, std::int32_t& first, std::int32_t& last, Prompter& prompter) {
    if (!HasStartingPoint(job, line)) {
        if (LineInTable(job, line)) ReportNoStartingPoint(job, line, prompter);
        return;
    }
    NormalizeShots(EditLineToNormalize(job, line, first, last));
}

LineShots EditLineToNormalize(Job& job, std::int32_t line, std::int32_t& first, std::int32_t& last) {
    ResolveShotRange(job, line, first, last);
    const LineStart start = StartOf(job, line);
    // The header is never a shot, and nothing past the table's end exists.
    return {job.Data.EditShots(line, std::max(first, 1), std::min(last, job.Data.ShotBound())), start};
}

void SetDistances(const LineShots& line) {
    for (ShotRecord& record : line.Shots) record.DistDownRange = static_cast<float>(DistanceFrom(line.Start, record));
}

void NormalizeShots(const LineShots& work) {
    const double n0 = work.Start.Northing;
    const double e0 = work.Start.Easting;
    const double angle = WholeDegreesTurn(static_cast<double>(work.Start.Angle));
    const bool northSouth = angle == 0 || angle == 180;
    const bool eastWest = angle == 90 || angle == 270;
    const double theta = std::fmod(270 - angle, 360.0) + 360;
    const double slope = std::tan(theta * DegreesToRadians);
    for (ShotRecord& record : work.Shots) {
        if (northSouth) {
            record.Easting = e0;
        } else if (eastWest) {
            record.Northing = n0;
        } else {
            ProjectOntoSlope(slope, n0, e0, record.Northing, record.Easting);
        }
        record.DistDownRange = static_cast<float>(DistanceFrom(work.Start, record));
    }
}

} // namespace tolvanor
