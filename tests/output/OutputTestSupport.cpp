// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace tolvanor::testing {

std::int32_t AddLine(Job& job, std::string_view profile, const std::vector<TestShot>& shots, bool ignored) {
    const std::int32_t line = ++job.LineCount;
    ShotRecord& header = job.Data.EditHeader(line);
    header.ShotCount() = static_cast<std::int32_t>(shots.size());
    header.LineIgnored() = ignored;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const TestShot& given = shots[i];
        ShotRecord& shot = job.Data.Edit(line, static_cast<std::int32_t>(i + 1));
        shot.SeqNum = given.SeqNum != 0 ? given.SeqNum : static_cast<std::int32_t>(i + 1);
        shot.Easting = given.Easting;
        shot.Northing = given.Northing;
        shot.Elevation = given.Elevation;
        shot.DistDownRange = given.Distance;
        shot.SetProfileNumber(profile);
        shot.SetRemark(given.Remark);
        shot.Ignore = given.Ignore;
    }
    return line;
}

TempFolder::TempFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        const auto candidate = base / ("tolvanor-output-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectGolden(const std::string& actual, const std::string& name) {
    const std::string path = std::string(TOLVANOR_TEST_DATA) + "/output/" + name;
    const char* bless = std::getenv("TOLVANOR_BLESS");
    if (bless != nullptr && std::string_view(bless) == "1") {
        WriteBytes(path, actual);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << "missing golden file " << path << " (bless with TOLVANOR_BLESS=1)";
    const std::string expected = ReadBytes(path);
    EXPECT_EQ(actual, expected) << "differs from golden file " << path;
}

JobSnapshot::JobSnapshot(const Job& job)
    : LineCount(job.LineCount), CurrentLine(job.CurrentLine), DataChanged(job.DataChanged),
      LoadingCount(job.LoadingCount) {
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) {
        std::vector<ShotRecord> records;
        for (std::int32_t shot = 0; shot < job.Data.StoredCount(line); ++shot)
            records.push_back(job.Data.At(line, shot));
        Lines.push_back(std::move(records));
    }
}

} // namespace tolvanor::testing
