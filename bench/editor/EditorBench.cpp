// SPDX-License-Identifier: GPL-3.0-or-later
// Times the editor's whole-job pass and the load/store of one full line on a
// generated job of realistic shape, and prints the figures with their limits.
#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "core/Prompter.h"
#include "editor/DataEditor.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tolvanor;
using Clock = std::chrono::steady_clock;

class SilentPrompter : public Prompter {
public:
    using Prompter::Message;
    MessageAnswer Message(const MessageRequest& request) override {
        std::fprintf(stderr, "unexpected message: %s\n", request.Text.c_str());
        return MessageAnswer::Ok;
    }
    std::string Input(const InputRequest&) override { return {}; }
    std::string OpenFile(const FileDialogRequest&) override { return {}; }
    std::string SaveFile(const FileDialogRequest&) override { return {}; }
    std::string BrowseFolder(const FolderRequest&) override { return {}; }
};

// A profile as a field crew shoots it: land shots walking out from the
// starting point, then sounder shots, positions with millimetre noise.
void FillLine(Job& job, std::int32_t line, std::int32_t shots, std::mt19937& random) {
    std::uniform_real_distribution<double> noise(-0.004, 0.004);
    std::uniform_real_distribution<float> jitter(-0.05f, 0.05f);
    const std::string name = std::to_string(100 + line);
    const double startEasting = 512000.0 + 25.0 * line;
    const double startNorthing = 4108000.0 - 10.0 * line;
    auto& header = job.Data.EditHeader(line);
    header.StartEasting() = startEasting;
    header.StartNorthing() = startNorthing;
    header.LineAngle() = 289.0f;
    header.ShotCount() = shots;
    const double angle = 289.0 * 3.141592653589793 / 180.0;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        auto& record = job.Data.Edit(line, shot);
        const double distance = 0.37 * shot;
        record.SeqNum = shot;
        record.Easting = std::round((startEasting - std::sin(angle) * distance + noise(random)) * 1000) / 1000;
        record.Northing = std::round((startNorthing - std::cos(angle) * distance + noise(random)) * 1000) / 1000;
        record.DistDownRange = static_cast<float>(distance);
        record.SetProfileNumber(name);
        record.SetRemark(shot % 50 == 0 ? "PRO " + name + " CHK" : "PRO " + name);
        if (shot < shots / 3) {
            record.SetShotType("L");
            record.Elevation = 3.2f - 0.0021f * static_cast<float>(shot) + jitter(random);
        } else {
            record.SetShotType("W");
            record.DBT = 0.8f + 0.0043f * static_cast<float>(shot) + jitter(random);
            record.Heave = jitter(random);
            record.Tide = 0.62f;
            record.Elevation = record.Heave + record.Tide - record.DBT;
        }
    }
}

// Wall-clock and processor time of one piece of work. The whole-job pass
// uses a second core, so its processor time is that of both threads and
// its wall-clock time is held against the limit; the one-line figures run
// on one thread and hold their processor time, as the machine may be shared.
struct Timing {
    double Wall = 0;
    double Cpu = 0;
};

template <typename Work> Timing Measure(Work&& work) {
    const auto wallStart = Clock::now();
    const auto cpuStart = std::clock();
    work();
    const auto cpuEnd = std::clock();
    return {std::chrono::duration<double>(Clock::now() - wallStart).count(),
            static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC};
}

// The run of median wall-clock time.
Timing Median(std::vector<Timing> timings) {
    std::sort(timings.begin(), timings.end(), [](const Timing& a, const Timing& b) { return a.Wall < b.Wall; });
    return timings[timings.size() / 2];
}

constexpr std::int32_t Lines = 1000;
constexpr std::int32_t Shots = 2999;
constexpr int Runs = 5;

// The job as a read leaves it: values not yet rounded to the display.
void FillJob(Job& job) {
    std::mt19937 random(20240601);
    for (std::int32_t line = 1; line <= Lines; ++line) FillLine(job, line, Shots, random);
    job.LineCount = Lines;
}

enum class Held { Wall, Cpu };

bool Report(const char* what, const Timing& timing, Held held, double limit, const char* unit = "s", double scale = 1) {
    const double wall = timing.Wall * scale;
    const double cpu = timing.Cpu * scale;
    std::printf("%s: wall %.3f %s, cpu %.3f %s", what, wall, unit, cpu, unit);
    if (limit <= 0) {
        std::printf("\n");
        return true;
    }
    std::printf(" (limit %.3g %s on the %s time)\n", limit, unit, held == Held::Wall ? "wall" : "cpu");
    return (held == Held::Wall ? wall : cpu) <= limit;
}

} // namespace

int main() {
    HugePageResource rowMemory;
    Job job(Job::DefaultMaxLines, Job::DefaultMaxShots, &rowMemory);
    SilentPrompter prompter;
    bool withinLimits = true;

    // The pass after a read: every line fingerprinted, passed and recorded;
    // then a pass in another sort order over the rounded lines.
    std::vector<Timing> firstPasses;
    std::vector<Timing> otherOrders;
    for (int run = 0; run < Runs; ++run) {
        FillJob(job);
        DataEditor editor(job, prompter);
        editor.LoadProfileNumbers();
        editor.Options().SortOrder = 0;
        firstPasses.push_back(Measure([&] { editor.LoadArray(); }));
        editor.Options().SortOrder = 6;
        otherOrders.push_back(Measure([&] { editor.LoadArray(); }));
    }
    std::printf("%d lines x %d shots, medians of %d runs\n", Lines, Shots, Runs);
    withinLimits &= Report("LoadArray after a read, sort order 0", Median(firstPasses), Held::Wall, 0.2);
    Report("LoadArray again, sort order 6", Median(otherOrders), Held::Wall, 0);

    // Every line passed without the memo: the pass's own cost on rounded lines.
    std::vector<Timing> plainPasses;
    DataEditor plain(job, prompter);
    plain.LoadProfileNumbers();
    plain.SetPassMemoEnabled(false);
    for (int run = 0; run < Runs; ++run) plainPasses.push_back(Measure([&] { plain.LoadArray(); }));
    Report("LoadArray without the memo, rounded lines", Median(plainPasses), Held::Wall, 0);

    // The same first pass through the grid's texts, as before.
    FillJob(job);
    DataEditor throughTexts(job, prompter);
    throughTexts.LoadProfileNumbers();
    throughTexts.SetPassWithoutTexts(false);
    Report("LoadArray after a read through the grid's texts, as before (once)",
           Measure([&] { throughTexts.LoadArray(); }), Held::Wall, 0);

    // A cell commit's store of one full line, and a line's load with it.
    constexpr int Repeats = 200;
    DataEditor editor(job, prompter);
    editor.LoadProfileNumbers();
    editor.SelectProfile(0);
    editor.ArrayToGrid(1);
    const auto stores = Measure([&] {
        for (int i = 0; i < Repeats; ++i) editor.StoreGridLine(1);
    });
    withinLimits &= Report("StoreGridLine, one 2999-shot line", stores, Held::Cpu, 5.0, "ms", 1000.0 / Repeats);
    const auto loads = Measure([&] {
        for (int i = 0; i < Repeats; ++i) {
            editor.ArrayToGrid(1);
            editor.StoreGridLine(1);
        }
    });
    withinLimits &=
        Report("ArrayToGrid + StoreGridLine, one 2999-shot line", loads, Held::Cpu, 5.0, "ms", 1000.0 / Repeats);
    std::printf("%s\n", withinLimits ? "within limits" : "LIMIT EXCEEDED");
    return withinLimits ? 0 : 1;
}
