// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/FieldHelpers.h"

#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "core/Text.h"

#include <filesystem>
#include <system_error>

namespace tolvanor {

namespace {

// The text right-aligned in `width` characters, cut on the left when longer.
std::string RightAligned(const std::string& text, int width) {
    if (width <= 0) return {};
    const auto size = static_cast<std::size_t>(width);
    if (text.size() >= size) return std::string(RightText(text, size));
    return std::string(size - text.size(), ' ') + text;
}

// A negative decimals count gives a mask of "#" only: whole numbers.
int MaskDecimals(int decimals) {
    return decimals > 0 ? decimals : 0;
}

} // namespace

std::string RFormat(double value, int width, int decimals) {
    const std::string text = decimals != 0 ? MaskText(value, MaskDecimals(decimals)) : GeneralText(value);
    return RightAligned(text, width);
}

std::string RFormat(float value, int width, int decimals) {
    const std::string text = decimals != 0 ? MaskText(value, MaskDecimals(decimals)) : GeneralText(value);
    return RightAligned(text, width);
}

std::string RFormat(std::int64_t value, int width, int decimals) {
    const std::string text =
        decimals != 0 ? MaskText(static_cast<double>(value), MaskDecimals(decimals)) : GeneralText(value);
    return RightAligned(text, width);
}

std::string RFormat(std::string_view value, int width, int decimals) {
    const std::string text = decimals != 0 ? MaskText(value, MaskDecimals(decimals)) : std::string(value);
    return RightAligned(text, width);
}

std::int16_t NumericKeyFilter(std::int16_t key) {
    constexpr std::int16_t Backspace = 8;
    const bool keep = key == Backspace || key == '-' || key == '.' || (key >= '0' && key <= '9');
    return keep ? key : std::int16_t{0};
}

std::string YesNo(bool value) {
    return value ? "Yes" : "No";
}

bool IsYes(std::string_view text) {
    return !text.empty() && text.front() == 'Y';
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    // A folder is not a file.
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

} // namespace tolvanor
