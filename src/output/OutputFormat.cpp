// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/OutputFormat.h"

namespace tolvanor {

std::string_view FormatExtension(OutputFormat format) noexcept {
    switch (format) {
    case OutputFormat::Csv:
        return ".csv";
    case OutputFormat::Xyz:
        return ".xyz";
    case OutputFormat::Isrp:
        return ".irp";
    case OutputFormat::Se:
        return ".se";
    case OutputFormat::Rer:
        return ".rer";
    case OutputFormat::Xls:
        return ".xls";
    }
    return {};
}

std::string SingleFilePath(std::string_view folder, std::string_view prefix, OutputFormat format) {
    std::string path(folder);
    path += OutputPathSeparator;
    path += prefix;
    path += FormatExtension(format);
    return path;
}

namespace {

// Bytes no file name may hold on this system.
bool ForbiddenInFileName(char c) noexcept {
#ifdef _WIN32
    const auto byte = static_cast<unsigned char>(c);
    return byte < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
#else
    return c == '\0' || c == '/';
#endif
}

} // namespace

void AppendFileNameText(std::string& path, std::string_view text) {
    for (const char c : text) path.push_back(ForbiddenInFileName(c) ? '_' : c);
}

std::string LineFilePath(std::string_view folder, std::string_view prefix, std::string_view profileNumber,
                         OutputFormat format) {
    std::string path(folder);
    path += OutputPathSeparator;
    path += prefix;
    path += '_';
    AppendFileNameText(path, profileNumber);
    path += FormatExtension(format);
    return path;
}

} // namespace tolvanor
