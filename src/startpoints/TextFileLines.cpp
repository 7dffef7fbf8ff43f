// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/TextFileLines.h"

#include <fstream>
#include <iterator>

namespace tolvanor {

std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        const auto next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        auto line = std::string_view(bytes).substr(start, end - start);
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
