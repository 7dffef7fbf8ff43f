// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Job.h"
#include "core/JobFile.h"
#include "core/JobFileNumbers.h"
#include "core/Progress.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <unistd.h>

namespace tolvanor {
namespace {

// Lines of random length with random values (any bit pattern in some),
// texts of every length, damaged shot counts past the table and below zero.
Job RandomJob(std::uint32_t seed, std::int32_t lines, std::int32_t maxShots) {
    Job job(lines + 2, maxShots);
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int32_t> shotCount(0, maxShots);
    std::uniform_real_distribution<double> coordinate(-1e6, 1e6);
    const auto anyFloat = [&] { return std::bit_cast<float>(static_cast<std::uint32_t>(random())); };
    const auto text = [&](std::size_t length) {
        std::string value;
        for (std::size_t i = 0; i < length; ++i) value.push_back(static_cast<char>(' ' + random() % 95));
        return value;
    };
    for (std::int32_t line = 1; line <= lines; ++line) {
        const std::int32_t shots = line % 23 == 0 ? maxShots + 50 : line % 29 == 0 ? -3 : shotCount(random);
        job.Data.EditHeader(line).ShotCount() = shots;
        job.Data.EditHeader(line).SetProfileNumber(std::to_string(line) + "a");
        for (std::int32_t shot = 1; shot <= std::min(shots, maxShots); ++shot) {
            ShotRecord& record = job.Data.Edit(line, shot);
            record.SeqNum = static_cast<std::int32_t>(random());
            record.Easting = line % 7 == 0 ? std::bit_cast<double>(std::uint64_t{random()} << 32 | random())
                                           : std::round(coordinate(random) * 1000) / 1000;
            record.Northing = coordinate(random);
            record.Elevation = line % 5 == 0 ? anyFloat() : static_cast<float>(shot) * 0.37f;
            record.DistDownRange = static_cast<float>(coordinate(random) / 100);
            record.DBT = anyFloat();
            record.Roll = shot % 3 == 0 ? -0.0f : 0.25f;
            record.Ignore = shot % 4 == 1;
            record.SetRemark(text(random() % 40));
            record.SetShotType(shot % 9 == 0 ? "W" : "");
            record.SetProfileNumber(std::to_string(line) + "a");
        }
    }
    job.LineCount = lines;
    return job;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(JobFileWriter, AnyNumberOfWorkersWritesTheSameBytes) {
    struct Case {
        std::uint32_t seed;
        std::int32_t lines, maxShots;
    };
    // From a job smaller than one block to many more blocks than buffers.
    for (const Case c : {Case{1, 3, 10}, Case{2, 40, 900}, Case{3, 220, 700}, Case{4, 1, 3000}}) {
        const Job job = RandomJob(c.seed, c.lines, c.maxShots);
        const std::string one = JobFileText(job, 1);
        for (const unsigned workers : {2u, 3u, 4u, 0u})
            EXPECT_TRUE(JobFileText(job, workers) == one) << "seed " << c.seed << ", workers " << workers;
        const std::string path = ::testing::TempDir() + "job-" + std::to_string(::getpid()) + ".tvn";
        ASSERT_TRUE(WriteJobFile(job, path, nullptr, 4).Ok);
        EXPECT_TRUE(ReadBytes(path) == one) << "seed " << c.seed;
        std::filesystem::remove(path);
    }
}

class RecordingProgress : public Progress {
public:
    void Report(std::int64_t done, std::int64_t total) override {
        reports.emplace_back(done, total);
        onCaller = onCaller && std::this_thread::get_id() == caller;
    }
    std::thread::id caller = std::this_thread::get_id();
    bool onCaller = true;
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
};

TEST(JobFileWriter, ProgressCountsRecordsOnTheCallersThread) {
    const Job job = RandomJob(5, 150, 600);
    std::int64_t records = 0;
    for (std::int32_t line = 0; line <= job.LineCount; ++line)
        records += std::max(std::min(job.ShotCount(line), job.Data.ShotBound()), -1) + 1;
    const std::string path = ::testing::TempDir() + "progress-" + std::to_string(::getpid()) + ".tvn";
    for (const unsigned workers : {1u, 4u}) {
        RecordingProgress progress;
        ASSERT_TRUE(WriteJobFile(job, path, &progress, workers).Ok);
        ASSERT_GT(progress.reports.size(), 2u);
        EXPECT_TRUE(progress.onCaller);
        EXPECT_EQ(progress.reports.back(), std::make_pair(records, records));
        for (std::size_t i = 1; i < progress.reports.size(); ++i)
            EXPECT_GT(progress.reports[i].first, progress.reports[i - 1].first);
    }
    std::filesystem::remove(path);
}

template <typename Real> std::string Shortest(Real value) {
    char text[64];
    return {text, PutShortest(text, value)};
}

template <typename Real> std::string Expected(Real value) {
    char text[64];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

// The short way must write exactly what std::to_chars writes: random bit
// patterns, surveyed values with few decimals and their neighbours, whole
// numbers up to where the short way stops, and the forms' turning points.
TEST(JobFileNumbers, ShortestTextsAreThoseOfToChars) {
    std::mt19937_64 random(99);
    // clang-format off
    std::vector<double> doubles{1e-3, 0.001, 0.0001, 400000, 100000, 10000, 1e15, 1125899906842623.0, 0.5, 0.1,
                                123456.789, 9.999999999999999e-4, 1e22, 5e-324};
    std::vector<float> floats{1e-3f, 0.0001f, 400000.0f, 100000.0f, 16777215.0f, 16777216.0f, 16777217.0f,
                              123456790528.0f, 0.1f, 3.4028235e38f, 1e-45f, 8388607.5f};
    // clang-format on
    for (int i = 0; i < 300000; ++i) {
        doubles.push_back(std::bit_cast<double>(random()));
        floats.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
        const double surveyed =
            static_cast<double>(static_cast<std::int64_t>(random() % 2000000000000) - 1000000000000) /
            ExactPowersOfTen[random() % 12];
        for (const double value : {surveyed, std::nextafter(surveyed, 1e300), std::nextafter(surveyed, -1e300)}) {
            doubles.push_back(value);
            floats.push_back(static_cast<float>(value));
        }
        doubles.push_back(static_cast<double>(random() % (std::uint64_t{1} << 51)));
        floats.push_back(static_cast<float>(random() % (1 << 25)));
        doubles.push_back(std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 70)));
    }
    for (const double value : doubles) {
        if (value == 0 || !std::isfinite(value)) continue;
        ASSERT_EQ(Shortest(value), Expected(value)) << std::hexfloat << value;
        ASSERT_EQ(Shortest(-value), Expected(-value)) << std::hexfloat << value;
    }
    for (const float value : floats) {
        if (value == 0 || !std::isfinite(value)) continue;
        ASSERT_EQ(Shortest(value), Expected(value)) << std::hexfloat << value;
        ASSERT_EQ(Shortest(-value), Expected(-value)) << std::hexfloat << value;
    }
}

// A device that refuses every write: the workers stop and the reason is the system's.
TEST(JobFileWriter, AFailedWriteStopsTheWorkersAndSaysWhy) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const Job job = RandomJob(6, 220, 700);
    for (const unsigned workers : {1u, 2u, 4u}) {
        const JobFileStatus status = WriteJobFile(job, "/dev/full", nullptr, workers);
        EXPECT_FALSE(status.Ok);
        EXPECT_EQ(status.Reason, "No space left on device") << workers;
    }
}

} // namespace
} // namespace tolvanor
