// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace tolvanor::testing {

// A file name in the test folder that no other running test uses: ctest runs
// the cases of one fixture side by side, and a name they share races (one
// case's clean-up removed the file another was about to read again).
inline std::filesystem::path TestTempPath(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::path(::testing::TempDir()) /
           (std::to_string(::getpid()) + "-" + (test != nullptr ? test->name() : "") + "-" + name);
}

} // namespace tolvanor::testing
