// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GeneralText.h"
#include "core/MaskText.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

class OutputFile;

// The writers' number texts (MaskText, GeneralText) without allocating:
// everyday values in a fixed buffer, the rest in one reused string. A view
// stays valid until the next call.
class NumberTexts {
public:
    std::string_view Mask(double value, int decimals, ValuePrecision precision = ValuePrecision::Double) {
        if (const auto text = ShortMaskText(local_, value, decimals, precision)) return *text;
        spill_.clear();
        AppendMaskText(spill_, value, decimals, precision);
        return spill_;
    }
    std::string_view Mask(float value, int decimals) {
        return Mask(static_cast<double>(value), decimals, ValuePrecision::Single);
    }
    std::string_view General(float value) {
        if (const auto text = ShortGeneralText(local_, value)) return *text;
        spill_.clear();
        AppendGeneralText(spill_, value);
        return spill_;
    }
    std::string_view Integer(std::int64_t value) {
        const auto end = std::to_chars(local_.data(), local_.data() + local_.size(), value).ptr;
        return {local_.data(), static_cast<std::size_t>(end - local_.data())};
    }

private:
    std::array<char, ShortNumberTextSize> local_{};
    std::string spill_;
};

// RFormat's field: the last `width` characters of `width` spaces & text.
void WriteRightAligned(OutputFile& file, std::string_view text, int width);

} // namespace tolvanor
