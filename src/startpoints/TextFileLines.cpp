// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/TextFileLines.h"

namespace tolvanor {

std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path, FileReadError* error) {
    std::string bytes;
    FileReadError failure;
    if (!ReadFileBytes(path, bytes, failure)) {
        if (error != nullptr) *error = std::move(failure);
        return std::nullopt;
    }
    return SplitTextLines(bytes);
}

std::vector<std::string> SplitTextLines(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        const auto next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        auto line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

bool IsBlankLine(std::string_view line) noexcept {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace tolvanor
