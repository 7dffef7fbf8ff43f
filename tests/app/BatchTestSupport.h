// SPDX-License-Identifier: GPL-3.0-or-later
// Running tolvanor-batch from a test: a fresh work folder with out/ in it,
// the program run there through the shell, its output and exit status.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tolvanor::testing {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The last message of a run that wrote what it was asked to.
inline const std::string Finished = "Any valid output file types have been created in the specified folder!\n";

struct RunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class BatchRun : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() / ("tolvanor-batch-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(work_);
        fs::create_directories(work_ / "out");
    }
    void TearDown() override { fs::remove_all(work_); }

    // The command line that runs the program in the work folder, after `shellPrefix`.
    std::string Command(const std::vector<std::string>& args, const std::string& shellPrefix = "") const {
        std::string command = "cd " + Quote(work_.string()) + " && " + shellPrefix + Quote(TOLVANOR_BATCH_EXE);
        for (const auto& arg : args) command += " " + Quote(arg);
        return command;
    }

    RunResult Batch(const std::vector<std::string>& args, const std::string& shellPrefix = "") {
        const std::string command = Command(args, shellPrefix) + " >stdout.txt 2>stderr.txt";
        const int raw = std::system(command.c_str());
        RunResult run;
        run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.Out = ReadAll(work_ / "stdout.txt");
        run.Err = ReadAll(work_ / "stderr.txt");
        return run;
    }

    std::string Sample(const std::string& name) const { return (fs::path(TOLVANOR_SAMPLES) / name).string(); }
    fs::path Out() const { return work_ / "out"; }
    std::string Out(const std::string& name) const { return (work_ / "out" / name).string(); }
    // The names of the files in out/, sorted.
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Out())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path work_;
};

} // namespace tolvanor::testing
