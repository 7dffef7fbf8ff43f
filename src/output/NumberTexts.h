// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GeneralText.h"
#include "core/MaskText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

class OutputFile;

// The writers' number texts (MaskText, GeneralText) in one reused buffer, so
// writing millions of fields allocates nothing. A view stays valid until the
// next call.
class NumberTexts {
public:
    std::string_view Mask(double value, int decimals, ValuePrecision precision = ValuePrecision::Double) {
        text_.clear();
        AppendMaskText(text_, value, decimals, precision);
        return text_;
    }
    std::string_view Mask(float value, int decimals) {
        return Mask(static_cast<double>(value), decimals, ValuePrecision::Single);
    }
    std::string_view General(float value) {
        text_.clear();
        AppendGeneralText(text_, value);
        return text_;
    }
    std::string_view Integer(std::int64_t value) {
        text_.clear();
        AppendGeneralText(text_, value);
        return text_;
    }

private:
    std::string text_;
};

// RFormat's field: the last `width` characters of `width` spaces & text.
void WriteRightAligned(OutputFile& file, std::string_view text, int width);

} // namespace tolvanor
