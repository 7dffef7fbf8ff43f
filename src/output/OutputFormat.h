// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/OutputOptions.h"

#include <array>
#include <string>
#include <string_view>

namespace tolvanor {

// The deliverables, in the order the output command writes them.
enum class OutputFormat { Csv, Xyz, Isrp, Se, Rer, Xls };

inline constexpr std::array<OutputFormat, 6> AllOutputFormats{OutputFormat::Csv, OutputFormat::Xyz, OutputFormat::Isrp,
                                                              OutputFormat::Se,  OutputFormat::Rer, OutputFormat::Xls};

// ".csv", ".xyz", ".irp", ".se", ".rer", ".xls".
std::string_view FormatExtension(OutputFormat format) noexcept;

// The separator put between the folder and the file name; always inserted,
// even after a folder that already ends in one.
#ifdef _WIN32
inline constexpr char OutputPathSeparator = '\\';
#else
inline constexpr char OutputPathSeparator = '/';
#endif

// F/P.ext: the file a writer writes in single-file mode.
std::string SingleFilePath(std::string_view folder, std::string_view prefix, OutputFormat format);
inline std::string SingleFilePath(std::string_view folder, const OutputOptions& options, OutputFormat format) {
    return SingleFilePath(folder, options.Prefix, format);
}
// Appends text to a file name, each byte no file name may hold (NUL and "/";
// on Windows also <>:"\|?* and control characters) as "_".
void AppendFileNameText(std::string& path, std::string_view text);
// F/P_N.ext: the file of the line named N in one-file-per-line mode; N as
// AppendFileNameText writes it (the texts inside the files keep it as it is).
std::string LineFilePath(std::string_view folder, std::string_view prefix, std::string_view profileNumber,
                         OutputFormat format);

} // namespace tolvanor
