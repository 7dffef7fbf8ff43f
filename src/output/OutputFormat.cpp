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

std::string LineFilePath(std::string_view folder, std::string_view prefix, std::string_view profileNumber,
                         OutputFormat format) {
    std::string path(folder);
    path += OutputPathSeparator;
    path += prefix;
    path += '_';
    path += profileNumber;
    path += FormatExtension(format);
    return path;
}

} // namespace tolvanor
