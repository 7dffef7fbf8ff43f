// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/SourceFileDialog.h"

#include "core/Text.h"
#include "input/DataType.h"
#include "output/OutputFormat.h"

#include <array>
#include <utility>

namespace tolvanor {
namespace {

std::string_view Extension(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

} // namespace

FileDialogRequest SourceFileRequest(int dataType, std::string_view currentFile) {
    FileDialogRequest request;
    if (dataType >= 0 && dataType < DataTypeCount) {
        request.Filter = std::string(SourceFileFilter(static_cast<DataType>(dataType)));
    }
    const std::size_t separator = currentFile.find_last_of(OutputPathSeparator);
    if (!currentFile.empty() && separator != std::string_view::npos) {
        request.InitialPath = std::string(currentFile.substr(0, separator + 1));
    }
    return request;
}

std::optional<int> DataTypeFromExtension(std::string_view path) {
    static constexpr std::array<std::pair<std::string_view, DataType>, 4> Clear{{
        {".TVN", DataType::SavedJob},
        {".CO", DataType::Field},
        {".DAT", DataType::Processed},
        {".CSV", DataType::Trimble},
    }};
    const std::string extension = UpperAscii(Extension(path));
    for (const auto& [name, type] : Clear) {
        if (extension == name) return static_cast<int>(type);
    }
    return std::nullopt;
}

} // namespace tolvanor
