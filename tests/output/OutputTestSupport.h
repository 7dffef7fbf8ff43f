// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"
#include "output/Deliverables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor::testing {

// One shot as a test writes it down.
struct TestShot {
    double Easting = 0, Northing = 0;
    float Elevation = 0, Distance = 0;
    std::string Remark;
    bool Ignore = false;
    std::int32_t SeqNum = 0; // 0: the shot's number
};

inline void AddLine(Job& job, std::string_view profile, const std::vector<TestShot>& shots, bool ignored = false) {
    const std::int32_t line = ++job.LineCount;
    job.Data.EditHeader(line).ShotCount() = static_cast<std::int32_t>(shots.size());
    job.Data.EditHeader(line).LineIgnored() = ignored;
    for (std::int32_t i = 1; i <= static_cast<std::int32_t>(shots.size()); ++i) {
        const TestShot& given = shots[static_cast<std::size_t>(i - 1)];
        ShotRecord& shot = job.Data.Edit(line, i);
        shot.SeqNum = given.SeqNum != 0 ? given.SeqNum : i;
        shot.Easting = given.Easting;
        shot.Northing = given.Northing;
        shot.Elevation = given.Elevation;
        shot.DistDownRange = given.Distance;
        shot.SetProfileNumber(profile);
        shot.SetRemark(given.Remark);
        shot.Ignore = given.Ignore;
    }
}

// The job behind the golden files: line 12 with an ignored shot, an ignored
// line 13, line 14 with small, large and cut values and bytes as read, and
// line 15 whose shots are all ignored.
inline void FillSampleJob(Job& job) {
    AddLine(job, "12",
            {{402511.375, 161833.0, 3.4f, -30.0f, "PRO 12 B", false, 17},
             {402515.1234567, 161838.55555, 3.91f, 12.5f, "", false, 18},
             {402520.5, 161845.25, 2.46f, 45.0f, "ignored shot", true, 19},
             {402530.99999, 161850.00005, -0.5f, 130.0f, "PRO 12 W,tide", false, 20}});
    AddLine(job, "13", {{402600.0, 161900.0, 1.0f, 0.0f, "line ignored"}, {402601.0, 161901.0, 1.5f, 5.0f, "x"}}, true);
    AddLine(job, "14",
            {{0.5, -12.25, 0.04f, 0.0f, ""},
             {1234567.8, 7654321.123, -12.345f, 123.4567f, "far"},
             {402600.0, 161900.0, 1234.567f, 9876.5f, "\xe9t\xe9 \x96 bytes as read"}});
    AddLine(job, "15", {{1.0, 2.0, 3.0f, 4.0f, "gone", true}, {5.0, 6.0, 7.0f, 8.0f, "gone too", true}});
}

// Prefix "job", the ISRP constants AB, 990415, 1200, "Before Dredge".
inline OutputOptions Options(FileMode mode = FileMode::SingleFile) {
    OutputOptions options;
    options.Prefix = "job";
    options.Mode = mode;
    options.LocalityCode = "AB";
    options.SurveyDate = "990415";
    options.SurveyType = SurveyTypeOption::BeforeDredge;
    return options;
}

// A fresh folder under the system's temporary folder, removed at the end.
struct TempFolder {
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tolvanor-output-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string File(std::string_view name) const { return path + "/" + std::string(name); }
    const std::string& Path() const { return path; }
    std::string path;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Compares with tests/data/output/<name>; with TOLVANOR_BLESS=1 in the
// environment the golden file is (re)written instead.
inline void ExpectGolden(const std::string& actual, const std::string& name) {
    const std::string path = std::string(TOLVANOR_TEST_DATA) + "/output/" + name;
    const char* bless = std::getenv("TOLVANOR_BLESS");
    if (bless != nullptr && std::string_view(bless) == "1") return WriteBytes(path, actual);
    ASSERT_TRUE(std::filesystem::exists(path)) << "missing golden file " << path << " (bless with TOLVANOR_BLESS=1)";
    EXPECT_EQ(actual, ReadBytes(path)) << "differs from golden file " << path;
}

} // namespace tolvanor::testing
