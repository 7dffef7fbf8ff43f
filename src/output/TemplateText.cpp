// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TemplateText.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string_view>
#include <system_error>

namespace tolvanor {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

std::string SystemReason(int error) {
    return error != 0 ? std::generic_category().message(error) : std::string("Input/output error");
}

bool ReadWhole(const std::string& path, std::string& bytes, std::string& reason) {
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        reason = SystemReason(errno);
        return false;
    }
    char chunk[1 << 16];
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) {
        reason = SystemReason(errno);
        return false;
    }
    return true;
}

} // namespace

bool ReadTemplateText(const std::string& path, std::string& text, std::string& reason) {
    std::string bytes;
    if (!ReadWhole(path, bytes, reason)) return false;
    text.clear();
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text += line;
        text += "\r\n";
    }
    return true;
}

} // namespace tolvanor
