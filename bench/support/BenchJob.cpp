// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchJob.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace tolvanor::bench {

MessageAnswer BenchPrompter::Message(const MessageRequest& request) {
    if (!questionsExpected_ || request.Buttons == MessageButtons::Ok)
        std::fprintf(stderr, "message: %s\n", request.Text.c_str());
    return DefaultAnswer(request.Buttons, request.Default);
}

ShotRecord StartShoreLine(Job& job, std::int32_t line, std::int32_t shots) {
    job.Data.Reserve(line, shots + 1);
    ShotRecord& header = job.Data.EditHeader(line);
    header.StartEasting() = 512000.0 + 25.0 * line;
    header.StartNorthing() = 4108000.0 - 10.0 * line;
    header.LineAngle() = 289.0f;
    header.ShotCount() = shots;
    return header;
}

Position DownShoreLine(const ShotRecord& header, double distance) {
    const double angle = 289.0 * std::numbers::pi / 180.0;
    return {header.StartEasting() - std::sin(angle) * distance, header.StartNorthing() - std::cos(angle) * distance};
}

void NameShot(ShotRecord& record, std::int32_t shot, const std::string& profile, const char* type) {
    record.SeqNum = shot;
    record.SetProfileNumber(profile);
    record.SetRemark("PRO " + profile);
    record.SetShotType(type);
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace tolvanor::bench
