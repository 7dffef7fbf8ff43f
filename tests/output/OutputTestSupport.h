// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor::testing {

// One shot as a test writes it down.
struct TestShot {
    double Easting = 0;
    double Northing = 0;
    float Elevation = 0;
    float Distance = 0;
    std::string Remark;
    bool Ignore = false;
    std::int32_t SeqNum = 0;
};

// Appends a line named `profile` holding the shots (SeqNum 0 becomes the shot's number).
std::int32_t AddLine(Job& job, std::string_view profile, const std::vector<TestShot>& shots, bool ignored = false);

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
std::vector<std::string> FileNames(const std::string& folder);

// Compares with tests/data/output/<name>; with TOLVANOR_BLESS=1 in the
// environment the golden file is (re)written instead.
void ExpectGolden(const std::string& actual, const std::string& name);

// Every stored record and the globals of a job, to show a writer left it alone.
struct JobSnapshot {
    explicit JobSnapshot(const Job& job);
    std::vector<std::vector<ShotRecord>> Lines;
    std::int32_t LineCount;
    std::int32_t CurrentLine;
    bool DataChanged;
    std::int16_t LoadingCount;
    bool operator==(const JobSnapshot&) const = default;
};

} // namespace tolvanor::testing
