// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MaskText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

class OutputFile;

// The number texts of the writers, built without allocating. They give
// exactly the texts of MaskText, GeneralText and RFormat; values the quick
// route cannot settle with certainty go through those functions.
class NumberTexts {
public:
    // MaskText(value, decimals, precision).
    std::string_view Mask(double value, int decimals, ValuePrecision precision = ValuePrecision::Double);
    std::string_view Mask(float value, int decimals) {
        return Mask(static_cast<double>(value), decimals, ValuePrecision::Single);
    }
    // GeneralText of a 32-bit float.
    std::string_view General(float value);
    // GeneralText of an integer.
    std::string_view Integer(std::int64_t value);

    // The view stays valid until the next call.
private:
    std::string_view Keep(std::string text);

    std::array<char, 64> local_{};
    std::string spill_;
};

// RFormat's field: the last `width` characters of `width` spaces & text.
void WriteRightAligned(OutputFile& file, std::string_view text, int width);

} // namespace tolvanor
