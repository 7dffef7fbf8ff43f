// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"
#include "core/Prompter.h"
#include "input/JobDifference.h"
#include "input/LineReader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace tolvanor::fuzzing {

// Answers every prompt with its default and counts the messages.
class QuietPrompter : public Prompter {
public:
    using Prompter::Message;
    MessageAnswer Message(const MessageRequest& request) override {
        ++Messages;
        return DefaultAnswer(request.Buttons, request.Default);
    }
    std::string Input(const InputRequest&) override { return {}; }
    std::string OpenFile(const FileDialogRequest&) override { return {}; }
    std::string SaveFile(const FileDialogRequest&) override { return {}; }
    std::string BrowseFolder(const FolderRequest&) override { return {}; }
    int Messages = 0;
};

// Hands out its bytes a few at a time, so lines straddle every refill.
class TrickleSource : public ByteSource {
public:
    TrickleSource(std::string_view bytes, std::size_t step) : bytes_(bytes), step_(std::max<std::size_t>(step, 1)) {}
    std::size_t Read(char* into, std::size_t capacity) override {
        const std::size_t count = std::min({capacity, step_, bytes_.size()});
        if (count > 0) std::memcpy(into, bytes_.data(), count);
        bytes_.remove_prefix(count);
        return count;
    }
    bool Failed() const override { return false; }
    std::int64_t Size() const override { return 0; }

private:
    std::string_view bytes_;
    std::size_t step_;
};

[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// What every read must leave behind, whatever it read.
inline void CheckJobShape(const Job& job) {
    if (job.LineCount < 0 || job.LineCount > job.MaxLines)
        Fail("line count out of range", std::to_string(job.LineCount));
    for (std::int32_t line = 0; line <= job.LineCount; ++line) {
        const auto shots = job.ShotCount(line);
        if (shots < 0 || shots > job.Data.ShotBound()) Fail("shot count out of range", std::to_string(shots));
    }
}

} // namespace tolvanor::fuzzing
