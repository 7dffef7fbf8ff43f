// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"
#include "input/JobDifference.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace tolvanor::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ =
                base / ("tolvanor-input-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++counter));
        } while (std::filesystem::exists(path_));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(std::string_view name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string TestData(std::string_view name) {
    return std::string(TOLVANOR_TEST_DATA) + "/input/" + std::string(name);
}

} // namespace tolvanor::testing
