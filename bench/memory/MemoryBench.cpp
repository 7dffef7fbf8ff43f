// SPDX-License-Identifier: GPL-3.0-or-later
// Memory of the survey table: the record size, a fresh job, and a full job of
// 1000 lines x 2999 shots with the short texts of real surveys.
#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "core/ShotRecord.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

// A field of /proc/self/status ("VmRSS", "VmHWM") in megabytes.
double StatusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
    }
    return -1;
}

void Print(const char* name, double value, const char* target = nullptr) {
    if (target == nullptr) {
        std::printf("%s %.1f\n", name, value);
    } else {
        std::printf("%s %.1f (target %s)\n", name, value, target);
    }
}

// Fills a job as a reader would: every line full, every shot with its texts.
void FillJob(tolvanor::Job& job, std::int32_t lines, std::int32_t shots) {
    for (std::int32_t line = 1; line <= lines; ++line) {
        char profile[8];
        std::snprintf(profile, sizeof profile, "%03dBD", line % 1000);
        tolvanor::ShotRecord& header = job.Data.EditHeader(line);
        header.StartNorthing() = 6543210.0 + line;
        header.StartEasting() = 402511.0;
        header.LineAngle() = 135;
        for (std::int32_t shot = 1; shot <= shots; ++shot) {
            tolvanor::ShotRecord& record = job.Data.Edit(line, shot);
            record.SeqNum = shot;
            record.Northing = 6543210.0 + line - shot * 0.5;
            record.Easting = 402511.0 + shot * 0.5;
            record.Elevation = 1.25f - static_cast<float>(shot) * 0.01f;
            record.DBT = 3.5f;
            record.Tide = 0.25f;
            record.DistDownRange = static_cast<float>(shot) * 0.7f;
            record.SetProfileNumber(profile);
            record.SetSurveyType("BD");
            record.SetShotType("W");
            char remark[24];
            std::snprintf(remark, sizeof remark, "PRO%s W %04d", profile, shot); // 15 characters
            record.SetRemark(remark);
        }
        job.Data.EditHeader(line).ShotCount() = shots;
    }
    job.LineCount = lines;
    job.CurrentLine = lines;
}

} // namespace

int main() {
    std::printf("memory.shot_record_bytes %zu (target <= 96)\n", sizeof(tolvanor::ShotRecord));

    const double before = StatusMegabytes("VmRSS");
    tolvanor::HugePageResource rowMemory;
    auto job =
        std::make_unique<tolvanor::Job>(tolvanor::Job::DefaultMaxLines, tolvanor::Job::DefaultMaxShots, &rowMemory);
    const double fresh = StatusMegabytes("VmRSS");
    Print("memory.fresh_job_mb", fresh - before, "< 5");
    Print("memory.process_with_fresh_job_mb", fresh);

    const std::int32_t lines = job->MaxLines;
    const std::int32_t shots = job->MaxShots - 1;
    FillJob(*job, lines, shots);
    std::printf("memory.full_job_shots %d x %d, inline texts %s\n", lines, shots,
                job->Data.At(lines, shots).Texts.IsInline() ? "yes" : "no");
    Print("memory.full_job_rss_mb", StatusMegabytes("VmRSS"), "< 350");
    Print("memory.full_job_peak_rss_mb", StatusMegabytes("VmHWM"), "< 350");

    job->NewFile();
    Print("memory.after_new_file_rss_mb", StatusMegabytes("VmRSS"));
    return 0;
}
