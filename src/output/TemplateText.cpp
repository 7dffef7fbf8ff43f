// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TemplateText.h"

#include "core/TextFile.h"

#include <string_view>

namespace tolvanor {

bool ReadTemplateText(const std::string& path, std::string& text, std::string& reason) {
    std::string bytes;
    FileReadError error;
    if (!ReadFileBytes(path, bytes, error)) {
        reason = error.Reason;
        return false;
    }
    text.clear();
    std::string_view rest = WithoutByteOrderMark(bytes);
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
