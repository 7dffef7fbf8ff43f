// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/NumberTexts.h"

#include "output/OutputFile.h"

namespace tolvanor {

void WriteRightAligned(OutputFile& file, NumberView number, int width) {
    if (width <= 0) return;
    const std::string_view text = number;
    const auto size = static_cast<std::size_t>(width);
    if (text.size() >= size) {
        file.Write(text.substr(text.size() - size));
    } else {
        file.PutSpaces(size - text.size());
        file.Write(number);
    }
}

} // namespace tolvanor
