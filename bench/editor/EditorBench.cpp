// SPDX-License-Identifier: GPL-3.0-or-later
// Times the editor's whole-job pass and the load/store of one full line on a
// generated job of realistic shape, and prints the figures with their limits.
#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "core/Prompter.h"
#include "editor/DataEditor.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>

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

// Wall-clock and processor time of one piece of work. The machine may be
// shared, so the processor time is the figure held against the limit.
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

} // namespace

int main() {
    constexpr std::int32_t Lines = 1000;
    constexpr std::int32_t Shots = 2999;
    HugePageResource rowMemory;
    Job job(Job::DefaultMaxLines, Job::DefaultMaxShots, &rowMemory);
    SilentPrompter prompter;
    std::mt19937 random(20240601);
    for (std::int32_t line = 1; line <= Lines; ++line) FillLine(job, line, Shots, random);
    job.LineCount = Lines;

    DataEditor editor(job, prompter);
    editor.LoadProfileNumbers();

    bool withinLimits = true;
    for (int sortOrder : {0, 6}) {
        editor.Options().SortOrder = sortOrder;
        const auto timing = Measure([&] { editor.LoadArray(); });
        withinLimits = withinLimits && timing.Cpu <= 2.0;
        std::printf("LoadArray, %d lines x %d shots, sort order %d: %.3f s (wall %.3f s; limit 2.0 s)\n", Lines, Shots,
                    sortOrder, timing.Cpu, timing.Wall);
    }

    constexpr int Repeats = 200;
    editor.Options().SortOrder = 0;
    editor.SelectProfile(0);
    const auto timing = Measure([&] {
        for (int i = 0; i < Repeats; ++i) {
            editor.ArrayToGrid(1);
            editor.StoreGridLine(1);
        }
    });
    const double milliseconds = timing.Cpu * 1000 / Repeats;
    withinLimits = withinLimits && milliseconds <= 5.0;
    std::printf("ArrayToGrid + StoreGridLine, one %d-shot line: %.2f ms (wall %.2f ms; limit 5 ms)\n", Shots,
                milliseconds, timing.Wall * 1000 / Repeats);
    std::printf("%s\n", withinLimits ? "within limits" : "LIMIT EXCEEDED");
    return withinLimits ? 0 : 1;
}
