// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/DataType.h"
#include "input/JobDifference.h"
#include "input/LineReader.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tolvanor::testing {

using Texts = std::vector<std::string>;

// The read messages, written out so a changed character fails.
inline const std::string ReadingMessage = "There is a problem reading your source data.\r\n"
                                          "Please check the source file data and data format selection, then retry.";
inline const std::string OpenMessage = "Unable to open specified file.\r\nPlease select a valid file or make sure "
                                       "that the file is not in use by another program.";
inline std::string FormatMessage(std::string_view line) {
    return "There is a problem with the data format of the input file, in or near the line: \r\n" + std::string(line) +
           "\r\n\r\n  Please correct your source file and try again.";
}

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() : path_(::mkdtemp((std::filesystem::temp_directory_path() / "tolvanor-XXXXXX").string().data())) {}
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(std::string_view name) const { return (path_ / name).string(); }
    auto EntryCount() const { return std::distance(std::filesystem::directory_iterator(path_), {}); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string TestData(std::string_view name) {
    return TOLVANOR_TEST_DATA "/input/" + std::string(name);
}

// Options for a read of `file`, a name in the input test data.
inline ReadOptions Options(DataType type = DataType::Trimble, bool threeDigits = true, std::string_view file = {}) {
    return {.SourceFileName = file.empty() ? "" : TestData(file),
            .DataType = static_cast<int>(type),
            .FormatProfileNumbers = threeDigits};
}

inline ReadResult ReadText(Job& job, std::string_view text, ScriptedPrompter& prompter,
                           const ReadOptions& options = Options()) {
    MemorySource source(text);
    return ReadDataFrom(job, options, source, prompter);
}

// A record's fields as read, in one text: "SeqNum Easting Northing Elevation Profile/ShotType/SurveyType".
inline std::string Summary(const ShotRecord& r) {
    char buffer[128];
    char* end = buffer;
    auto put = [&](auto value) { *(end = std::to_chars(end, buffer + sizeof buffer, value).ptr)++ = ' '; };
    put(r.SeqNum), put(r.Easting), put(r.Northing), put(r.Elevation);
    return std::string(buffer, end).append(r.ProfileNumber()) + "/" + std::string(r.ShotType()) + "/" +
           std::string(r.SurveyType());
}

// The lines in use as "name:shots name:shots ...".
inline std::string Lines(const Job& job) {
    std::string text;
    for (std::int32_t line = 1; line <= job.LineCount; ++line)
        text.append(line > 1 ? " " : "").append(job.LineName(line)) += ":" + std::to_string(job.ShotCount(line));
    return text;
}

} // namespace tolvanor::testing
