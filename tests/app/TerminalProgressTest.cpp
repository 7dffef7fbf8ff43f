// SPDX-License-Identifier: GPL-3.0-or-later
// A message printed while the progress line is drawn starts on a clean line,
// and the line comes back with the next report.
#include "app/batch/TerminalProgress.h"
#include "app/batch/StderrPrompter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tolvanor::batch {
namespace {

std::string Printed(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text.push_back(static_cast<char>(c));
    return text;
}

TEST(TerminalProgress, AMessageEndsTheProgressLineFirst) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
        TerminalProgress progress(out);
        StderrPrompter prompter(out, false);
        prompter.SetProgressLine(&progress);
        progress.Begin("Reading a.csv");
        progress.Report(50, 100);
        prompter.Message("More than 3000 shots in profile 12\r\nAll following data on this line will be ignored.");
        progress.Report(50, 100);
        progress.Finish();
    }
    const std::string clear = "\r" + std::string(19, ' ') + "\r";
    EXPECT_EQ(Printed(out), "\rReading a.csv  50%" + clear +
                                "More than 3000 shots in profile 12\nAll following data on this line will be ignored.\n"
                                "\rReading a.csv  50%" +
                                clear);
    std::fclose(out);
}

} // namespace
} // namespace tolvanor::batch
