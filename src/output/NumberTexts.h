// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "core/ShortNumber.h"
#include "core/SignificantDigits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tolvanor {

class OutputFile;

// ShortGeneralText of a 32-bit float the short way, for the values written
// in plain decimal (7 significant digits, exponents -4 to 6); false for
// the others. A float times 10^k up to 10^12 is exact in a double (24 bits
// and 5^12 < 2^29), so one multiplication and one rounding to even give the
// digits printf gives. Half the work of the general digit route.
inline bool QuickGeneralNumber(float value, ShortNumber& number) noexcept {
    constexpr double Low = 1e6;
    constexpr double High = 1e7;
    constexpr double RoundingBias = 4503599627370496.0; // 2^52: adding it rounds to a whole number, ties to even
    if (value == 0) {                                   // a negative zero too
        number = MakeShortNumber(0, 0, false, true);
        return true;
    }
    const double magnitude = std::fabs(static_cast<double>(value));
    if (!(magnitude >= 9e-5 && magnitude < High)) return false;
    // Digits after the point for seven significant digits: 0 to 11 here,
    // unless the exponent's estimate was one off.
    int decimals = 6 - DecimalExponent(magnitude);
    double scaled = magnitude * ExactPowersOfTen[decimals];
    if (scaled < Low) {
        scaled = magnitude * ExactPowersOfTen[++decimals];
    } else if (scaled >= High) {
        scaled = magnitude * ExactPowersOfTen[--decimals];
    }
    if (decimals < 0 || decimals > 12) return false;
    auto digits = static_cast<std::uint32_t>((scaled + RoundingBias) - RoundingBias);
    if (digits == static_cast<std::uint32_t>(High)) { // 9999999.5 and the like: one digit more before the point
        digits = static_cast<std::uint32_t>(Low);
        --decimals;
    }
    if (decimals < 0 || decimals > 10) return false; // exponent form
    for (; decimals > 0 && digits % 10 == 0; --decimals) digits /= 10;
    number = MakeShortNumber(digits, decimals, value < 0, IntegerDigits(digits, decimals) == 0);
    return true;
}

// The same text written at the end of `buffer` (of at least
// ShortNumberTextSize characters); nothing for the values it does not take.
inline std::optional<std::string_view> QuickGeneralText(std::span<char> buffer, float value) noexcept {
    ShortNumber number;
    if (buffer.size() < ShortNumberTextSize || !QuickGeneralNumber(value, number)) return std::nullopt;
    char* const end = buffer.data() + buffer.size();
    return std::string_view(WriteShortNumberBefore(end, number), number.Length);
}

// A number's text whose storage may be read NumberView::Readable bytes from
// its start whatever its length, so a file can take it in one fixed-size copy.
struct NumberView {
    static constexpr std::size_t Readable = 32;
    std::string_view Text;
    operator std::string_view() const noexcept { return Text; }
    bool operator==(std::string_view other) const noexcept { return Text == other; }
};

// The writers' number texts (MaskText, GeneralText) without allocating:
// everyday values in a fixed buffer, the rest in one reused string. A view
// stays valid until the next call.
class NumberTexts {
public:
    NumberTexts() { spill_.reserve(2 * NumberView::Readable); }

    NumberView Mask(double value, int decimals, ValuePrecision precision = ValuePrecision::Double) {
        if (const auto text = ShortMaskText(Short(), value, decimals, precision)) return {*text};
        spill_.clear();
        AppendMaskText(spill_, value, decimals, precision);
        return Spilled();
    }
    NumberView Mask(float value, int decimals) {
        return Mask(static_cast<double>(value), decimals, ValuePrecision::Single);
    }
    NumberView General(float value) {
        if (const auto text = QuickGeneralText(Short(), value)) return {*text};
        spill_.clear();
        AppendGeneralText(spill_, value);
        return Spilled();
    }
    // The same texts written straight into a file (no copy from a scratch
    // buffer), each returning its length; defined with OutputFile.
    std::size_t WriteMask(OutputFile& file, double value, int decimals,
                          ValuePrecision precision = ValuePrecision::Double);
    std::size_t WriteMask(OutputFile& file, float value, int decimals) {
        return WriteMask(file, static_cast<double>(value), decimals, ValuePrecision::Single);
    }
    std::size_t WriteGeneral(OutputFile& file, float value);
    // Right-aligned in a field of `width` as RFormat aligns it (WriteRightAligned).
    void WriteMaskRightAligned(OutputFile& file, float value, int decimals, int width);
    void WriteGeneralRightAligned(OutputFile& file, float value, int width);

    NumberView Integer(std::int64_t value) {
        const auto end = std::to_chars(local_.data(), local_.data() + ShortNumberTextSize, value).ptr;
        return {{local_.data(), static_cast<std::size_t>(end - local_.data())}};
    }

private:
    // The texts are written at the end of the first ShortNumberTextSize
    // characters; the rest is there to be read past them.
    std::span<char> Short() noexcept { return {local_.data(), ShortNumberTextSize}; }
    // A long spilled text is copied the ordinary way; a short one lies in
    // the reserved room.
    NumberView Spilled() const noexcept { return {spill_}; }

    std::array<char, ShortNumberTextSize + NumberView::Readable> local_{};
    std::string spill_;
};

// RFormat's field: the last `width` characters of `width` spaces & text.
void WriteRightAligned(OutputFile& file, NumberView text, int width);

} // namespace tolvanor
