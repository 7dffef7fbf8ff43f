// SPDX-License-Identifier: GPL-3.0-or-later
// Times the profile analysis of a full job, 1000 profiles x 2999 shots, with
// three contours, a datum with limits and a design template for every line:
//   analysis_bench    prints the figures beside their targets
#include "BenchJob.h"
#include "analysis/AnalyseJob.h"
#include "analysis/ProfileTemplates.h"
#include "analysis/WriteAnalysisCSV.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tolvanor;
using namespace tolvanor::bench;
using Clock = std::chrono::steady_clock;

constexpr int Profiles = FullLines;
constexpr int ShotsPerProfile = FullShots;
constexpr int Runs = 7;
constexpr double Target = 0.2;

// Profiles 50 m apart, a shot every 0.37 m from the dune (+6.5) into the
// water (-5.5) with millimetre noise, so the shoreline is crossed many times.
void FillProfile(Job& job, std::int32_t profile) {
    ShotRecord& header = job.Data.EditHeader(profile);
    header.ShotCount() = ShotsPerProfile;
    header.StartEasting() = 400000.0 + profile * 50.0;
    header.StartNorthing() = 5120000.0;
    header.LineAngle() = 270;
    job.Data.Reserve(profile, ShotsPerProfile + 1);
    const std::string name = std::to_string(profile);
    for (int shot = 1; shot <= ShotsPerProfile; ++shot) {
        const long noise = (profile * 31L + shot * 17L) % 9 - 4;
        ShotRecord& record = job.Data.Edit(profile, shot);
        record.SeqNum = shot;
        record.Elevation = static_cast<float>(static_cast<double>(6500L - shot * 4L + noise) / 1000.0);
        record.DistDownRange = static_cast<float>(static_cast<double>(shot * 370L) / 1000.0);
        record.SetProfileNumber(name);
    }
}

// A ten-point design profile for every line.
std::string WriteTemplates(const std::filesystem::path& folder) {
    const auto path = (folder / "bench.tvt").string();
    std::ofstream out(path, std::ios::binary);
    for (int profile = 1; profile <= Profiles; ++profile) {
        out << "PRO" << profile;
        for (int point = 0; point < 10; ++point) out << "," << point * 120 << "," << 6.0 - point * 1.3;
        out << "\r\n";
    }
    return path;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main() {
    FullJob full;
    Job& job = full.Data;
    FillLines(job, Profiles, FillProfile);
    const auto folder = std::filesystem::temp_directory_path() / "tolvanor-analysis-bench";
    std::filesystem::create_directories(folder);
    const std::string tvt = WriteTemplates(folder);
    const std::string csv = (folder / "bench-analysis.csv").string();

    std::vector<double> analyse;
    std::vector<double> whole;
    std::size_t crossings = 0;
    for (int run = 0; run < Runs; ++run) {
        const auto start = Clock::now();
        ProfileTemplates templates;
        if (!templates.Read(tvt, false)) return 1;
        AnalysisOptions options{.Datum = 0, .From = 10, .To = 1000, .Contours = {3, 0, -2}, .Templates = &templates};
        const auto analysed = Clock::now();
        const AnalysisResult result = AnalyseJob(job, options);
        analyse.push_back(Seconds(analysed));
        if (!WriteAnalysisCSV(csv, result, options).Written) return 1;
        whole.push_back(Seconds(start));
        crossings = 0;
        for (const auto& line : result.Lines) crossings += static_cast<std::size_t>(line.Contours[1].Count);
    }
    std::filesystem::remove_all(folder);

    const double analysis = Median(analyse);
    std::printf("Analysis benchmark, %d profiles x %d shots, 3 contours, limits, a template per line; median of %d\n",
                Profiles, ShotsPerProfile, Runs);
    std::printf("  analysis of the job                      %.4f s   (target <= %.1f s)  %s\n", analysis, Target,
                analysis <= Target ? "ok" : "MISSED");
    std::printf("  with template file read and CSV written  %.4f s\n", Median(whole));
    std::printf("  (shoreline crossings found: %zu, the noise crosses it many times)\n", crossings);
    return analysis <= Target ? 0 : 1;
}
