// SPDX-License-Identifier: GPL-3.0-or-later
// Both real surveys read as a crew would read them, with their starting
// points, analysed, and every figure of every line compared with a plain
// long-double computation that shares no code with the analysis.
#include "analysis/AnalyseJob.h"
#include "analysis/ProfileTemplates.h"
#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Text.h"
#include "editor/DataEditor.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <numbers>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;
using Real = long double;

struct Point {
    Real D;
    Real E;
};

// The value on the piece of `line` that covers the open interval around `mid`, at x.
Real ValueAt(const std::vector<Point>& line, Real mid, Real x) {
    const auto after = std::upper_bound(line.begin(), line.end(), mid, [](Real m, const Point& p) { return m < p.D; });
    const Point& a = *(after - 1);
    const Point& b = *after;
    return a.E + (b.E - a.E) * (x - a.D) / (b.D - a.D);
}

// Areas above and below by cutting at every distance of both polylines and
// at every crossing, trapezoids in between.
std::pair<Real, Real> ReferenceAreas(const std::vector<Point>& p, const std::vector<Point>& t, Real from, Real to) {
    Real above = 0;
    Real below = 0;
    if (p.size() < 2 || t.size() < 2) return {0, 0};
    const Real lo = std::max({from, p.front().D, t.front().D});
    const Real hi = std::min({to, p.back().D, t.back().D});
    if (!(lo < hi)) return {0, 0};
    std::vector<Real> cuts = {lo, hi};
    for (const auto* line : {&p, &t})
        for (const Point& q : *line)
            if (q.D > lo && q.D < hi) cuts.push_back(q.D);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const Real x0 = cuts[i];
        const Real x1 = cuts[i + 1];
        const Real mid = (x0 + x1) / 2;
        const Real f0 = ValueAt(p, mid, x0) - ValueAt(t, mid, x0);
        const Real f1 = ValueAt(p, mid, x1) - ValueAt(t, mid, x1);
        std::vector<std::pair<Real, Real>> pieces = {{x0, f0}, {x1, f1}};
        if ((f0 > 0 && f1 < 0) || (f0 < 0 && f1 > 0))
            pieces.insert(pieces.begin() + 1, {x0 + (x1 - x0) * f0 / (f0 - f1), 0});
        for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
            const Real w = pieces[k + 1].first - pieces[k].first;
            const Real mean = (pieces[k].second + pieces[k + 1].second) / 2;
            (mean > 0 ? above : below) += w * std::fabs(mean);
        }
    }
    return {above, below};
}

struct Crossings {
    int Count = 0;
    Real First = 0;
    Real Last = 0;
};

// Every place at the level: shots exactly at it (a run of them is one
// place) and strict sign changes between shots.
Crossings ReferenceCrossings(const std::vector<Point>& p, Real level) {
    std::vector<std::pair<Real, bool>> places; // distance, joins the previous place (a run)
    for (std::size_t k = 0; k < p.size(); ++k) {
        if (p[k].E == level) {
            places.push_back({p[k].D, k > 0 && p[k - 1].E == level});
        } else if (k > 0 && p[k - 1].E != level && (p[k - 1].E < level) != (p[k].E < level)) {
            const Real t = (level - p[k - 1].E) / (p[k].E - p[k - 1].E);
            places.push_back({p[k - 1].D + (p[k].D - p[k - 1].D) * t, false});
        }
    }
    Crossings c;
    for (const auto& [distance, joined] : places) c.Count += !joined;
    if (!places.empty()) c.First = places.front().first, c.Last = places.back().first;
    return c;
}

// The line's profile straight from the table: shots not ignored, by distance.
std::vector<Point> ReferenceProfile(const Job& job, std::int32_t line) {
    std::vector<Point> points;
    for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot) {
        const ShotRecord& r = job.Data.At(line, shot);
        if (!r.Ignore) points.push_back({r.DistDownRange, r.Elevation});
    }
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.D < b.D; });
    return points;
}

void ExpectClose(double actual, Real reference, const std::string& what) {
    const Real scale = std::max<Real>(std::fabs(reference), 1);
    EXPECT_LE(std::fabs(static_cast<Real>(actual) - reference), 1e-9L * scale)
        << what << ": " << actual << " vs " << static_cast<double>(reference);
}

struct Survey {
    std::string Trimble;        // the shots as a Trimble export
    std::string StartingPoints; // the .spf
    std::string Templates;      // one straight design profile per line
    std::vector<double> Levels; // datum first, then contours
    double From = 0, To = 0;    // limits for the second pass
};

std::string Number(double value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

template <typename Row> bool ForEachRow(const std::string& name, Row row) {
    std::ifstream in(fs::path(TOLVANOR_REALDATA) / name, std::ios::binary);
    if (!in) return false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fields = SplitFields(line, ',');
        if (fields.size() >= 4 && IsNumberText(fields[1])) row(fields);
    }
    return true;
}

// Duck: each profile's origin is where its shots' cross-shore distances
// put the baseline (their mean), the line running out on the site's axis.
std::optional<Survey> DuckSurvey() {
    constexpr double Axis = 69.974707831 * std::numbers::pi / 180;
    Survey survey{.Levels = {0, 0.5, -1, -4}, .From = 100, .To = 400};
    std::map<std::string, std::pair<double, int>> eastings, northings;
    int seq = 0;
    const bool present = ForEachRow("FRF_FRF_20150915_1116_NAVD88_LARC_GPS_UTC.csv", [&](const auto& f) {
        if (f.size() < 10) return;
        const std::string profile(f[1]);
        const double x = LeadingNumberValue(f[7]);
        auto& e = eastings[profile];
        auto& n = northings[profile];
        e.first += LeadingNumberValue(f[5]) - x * std::sin(Axis), ++e.second;
        n.first += LeadingNumberValue(f[6]) - x * std::cos(Axis), ++n.second;
        survey.Trimble += std::to_string(++seq) + "," + std::string(f[5]) + "," + std::string(f[6]) + "," +
                          std::string(f[9]) + ",PRO" + profile + "\r\n";
    });
    if (!present) return std::nullopt;
    for (const auto& [profile, e] : eastings) {
        const auto& n = northings[profile];
        survey.StartingPoints +=
            profile + "," + Number(e.first / e.second) + "," + Number(n.first / n.second) + ",249.974707831\r\n";
        survey.Templates += "PRO" + profile + ",0,4,300,-2,900,-8\r\n";
    }
    return survey;
}

// New Jersey: origins and seaward azimuths from the survey's own table (feet).
std::optional<Survey> NewJerseySurvey() {
    Survey survey{.Levels = {0, 5, -10, -20}, .From = 500, .To = 2500};
    int seq = 0;
    bool present = ForEachRow("4Col_WithHeader.MA063-MA069.csv", [&](const auto& f) {
        survey.Trimble += std::to_string(++seq) + "," + std::string(f[1]) + "," + std::string(f[2]) + "," +
                          std::string(f[3]) + ",PRO" + std::string(TrimBlanks(f[0])) + "\r\n";
    });
    present = present && ForEachRow("OriginAzimuth_WithHeader_Mana.csv", [&](const auto& f) {
                  const std::string profile(TrimBlanks(f[0]));
                  survey.StartingPoints += profile + "," + std::string(f[1]) + "," + std::string(f[2]) + "," +
                                           Number(std::fmod(LeadingNumberValue(f[3]) + 180.0, 360.0)) + "\r\n";
                  survey.Templates += "PRO" + profile + ",0,15,1500,-10,4000,-30\r\n";
              });
    if (!present) return std::nullopt;
    return survey;
}

void CheckSurvey(const Survey& survey, const std::string& tag) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("analysis-real-" + tag);
    fs::create_directories(folder);
    std::ofstream(folder / "shots.csv", std::ios::binary) << survey.Trimble;
    std::ofstream(folder / "points.spf", std::ios::binary) << survey.StartingPoints;
    std::ofstream(folder / "design.tvt", std::ios::binary) << survey.Templates;

    Job job(60, 20000); // room for the longest New Jersey lines
    testing::ScriptedPrompter prompter;
    ReadOptions read{.SourceFileName = (folder / "shots.csv").string(), .FormatProfileNumbers = false};
    ASSERT_EQ(ReadData(job, read, prompter).Outcome, ReadOutcome::Ok);
    DataEditor editor(job, prompter);
    editor.Options().FormatProfileNumbers = false;
    editor.Options().StartingPointFile = (folder / "points.spf").string();
    editor.RefreshDataEdit();
    ProfileTemplates templates;
    ASSERT_TRUE(templates.Read((folder / "design.tvt").string(), false));
    fs::remove_all(folder);
    EXPECT_TRUE(prompter.Messages().empty());

    for (const bool limited : {false, true}) {
        AnalysisOptions options;
        options.Datum = survey.Levels[0];
        options.Contours.assign(survey.Levels.begin() + 1, survey.Levels.end());
        options.Templates = &templates;
        if (limited) options.From = survey.From, options.To = survey.To;
        const Real from = limited ? survey.From : -std::numeric_limits<Real>::infinity();
        const Real to = limited ? survey.To : std::numeric_limits<Real>::infinity();
        const auto result = AnalyseJob(job, options);
        int analysed = 0;
        for (const LineFigures& line : result.Lines) {
            SCOPED_TRACE(tag + " profile " + line.Profile + (limited ? " limited" : ""));
            ASSERT_EQ(line.State, LineState::Analysed);
            ++analysed;
            const auto profile = ReferenceProfile(job, line.Line);
            const Real datum = static_cast<float>(survey.Levels[0]);
            const std::vector<Point> flat = {{profile.front().D, datum}, {profile.back().D, datum}};
            ExpectClose(line.AreaAboveDatum, ReferenceAreas(profile, flat, from, to).first, "area above datum");
            std::vector<Point> design;
            for (const auto& q : *templates.Find(line.Profile)) design.push_back({q.Distance, q.Elevation});
            const auto [above, below] = ReferenceAreas(profile, design, -INFINITY, INFINITY);
            ExpectClose(line.Template.Above, above, "above template");
            ExpectClose(line.Template.Below, below, "below template");
            for (std::size_t c = 0; c < options.Contours.size(); ++c) {
                const auto reference = ReferenceCrossings(profile, static_cast<float>(options.Contours[c]));
                EXPECT_EQ(line.Contours[c].Count, reference.Count) << "contour " << options.Contours[c];
                if (reference.Count == 0) continue;
                ExpectClose(line.Contours[c].First, reference.First, "first crossing");
                ExpectClose(line.Contours[c].Last, reference.Last, "last crossing");
            }
        }
        EXPECT_GT(analysed, 5);
        EXPECT_EQ(result.Breaks.size(), 0u);
    }
}

TEST(RealSurveyAnalysis, DuckProfilesMatchALongDoubleComputation) {
    const auto survey = DuckSurvey();
    if (!survey) GTEST_SKIP() << "real survey data not present";
    CheckSurvey(*survey, "duck");
}

TEST(RealSurveyAnalysis, NewJerseyProfilesMatchALongDoubleComputation) {
    const auto survey = NewJerseySurvey();
    if (!survey) GTEST_SKIP() << "real survey data not present";
    CheckSurvey(*survey, "nj");
}

} // namespace
} // namespace tolvanor
