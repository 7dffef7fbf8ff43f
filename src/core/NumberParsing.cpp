// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberParsing.h"

#include "core/SignificantDigits.h"
#include "core/Text.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace tolvanor {

namespace {

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) noexcept {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// Rough decimal exponent of a number text: where its first significant digit
// sits. Only used to tell an overflow from an underflow.
long DecimalMagnitude(std::string_view number) noexcept {
    std::size_t at = 0;
    if (at < number.size() && (number[at] == '+' || number[at] == '-')) ++at;
    long intDigits = 0;
    long leadingFractionZeros = 0;
    bool seenSignificant = false;
    bool afterPoint = false;
    for (; at < number.size(); ++at) {
        const char c = number[at];
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        if (!afterPoint) {
            if (c != '0' || seenSignificant) {
                seenSignificant = true;
                ++intDigits;
            }
        } else if (!seenSignificant) {
            if (c == '0') {
                ++leadingFractionZeros;
            } else {
                seenSignificant = true;
            }
        }
    }
    long exponent = 0;
    if (at + 1 < number.size() && (number[at] == 'e' || number[at] == 'E')) {
        const std::size_t expAt = at + 1 + (number[at + 1] == '+' ? 1 : 0);
        const char* first = number.data() + expAt;
        const auto result = std::from_chars(first, number.data() + number.size(), exponent);
        // An exponent too long for a long is still huge (or tiny) by its sign.
        constexpr long HugeExponent = 1L << 40;
        if (result.ec == std::errc::result_out_of_range) exponent = *first == '-' ? -HugeExponent : HugeExponent;
    }
    return (intDigits > 0 ? intDigits : -leadingFractionZeros) + exponent;
}

template <typename Real> ConversionStatus ParseNumber(std::string_view number, Real& value) noexcept {
    std::string_view digits = number;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    Real parsed{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (error == std::errc::result_out_of_range) {
        if (DecimalMagnitude(number) > 0) return ConversionStatus::Overflow;
        value = (!digits.empty() && digits.front() == '-') ? -Real(0) : Real(0);
        return ConversionStatus::Ok;
    }
    if (error != std::errc{} || end != digits.data() + digits.size()) return ConversionStatus::TypeMismatch;
    value = parsed;
    return ConversionStatus::Ok;
}

// Plain decimals ("-12.345", "400025.369", "2") are nearly every number of a
// survey file. When both the digits as an integer and the power of ten are
// exact in the target type, one correctly rounded division gives exactly
// the value from_chars would, at a fraction of its cost.
template <typename Real> struct ExactDecimal;
template <> struct ExactDecimal<double> {
    static constexpr std::uint64_t MaxMantissa = std::uint64_t{1} << 53;
    static constexpr std::size_t MaxPower = 22;
};
template <> struct ExactDecimal<float> {
    static constexpr std::uint64_t MaxMantissa = std::uint64_t{1} << 24;
    static constexpr std::size_t MaxPower = 10;
};

// The length of such a plain decimal at the start of the text, its value in
// `value`; 0 (value untouched) when the text does not start with one, or an
// exponent follows: the caller then takes the general road.
template <typename Real> std::size_t PlainDecimalPrefix(std::string_view text, Real& value) noexcept {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++at;
    // Past 19 digits the sum wraps, but such texts take the general road.
    std::uint64_t mantissa = 0;
    const auto takeDigits = [&] {
        const std::size_t first = at;
        for (; at < text.size() && IsDigit(text[at]); ++at)
            mantissa = mantissa * 10 + static_cast<unsigned>(text[at] - '0');
        return at - first;
    };
    const std::size_t integerDigits = takeDigits();
    std::size_t fractionDigits = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        fractionDigits = takeDigits();
    }
    const std::size_t digits = integerDigits + fractionDigits;
    if (digits == 0 || digits > 19 || mantissa > ExactDecimal<Real>::MaxMantissa ||
        fractionDigits > ExactDecimal<Real>::MaxPower || (at < text.size() && (text[at] == 'e' || text[at] == 'E'))) {
        return 0;
    }
    Real result = static_cast<Real>(mantissa);
    if (fractionDigits > 0) result /= static_cast<Real>(ExactPowersOfTen[fractionDigits]);
    value = negative ? -result : result;
    return at;
}

// TrimBlanks without its generic search: this runs for every number of a file.
std::string_view WithoutBlanks(std::string_view text) noexcept {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
    return text.substr(first, last - first);
}

std::string_view WithoutLeadingBlanks(std::string_view text) noexcept {
    std::size_t first = 0;
    while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
    return text.substr(first);
}

template <typename Real> ConversionStatus StrictConvert(std::string_view text, Real& value) noexcept {
    const auto number = WithoutBlanks(text);
    Real plain{};
    if (!number.empty() && PlainDecimalPrefix(number, plain) == number.size()) {
        value = plain;
        return ConversionStatus::Ok;
    }
    if (number.empty() || NumberPrefixLength(number) != number.size()) return ConversionStatus::TypeMismatch;
    return ParseNumber(number, value);
}

// The leading-number value rounded once to the type; out of range saturates.
template <typename Real> Real LeadingValue(std::string_view text) noexcept {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    const auto rest = text.substr(start);
    Real value{};
    if (PlainDecimalPrefix(rest, value) != 0) return value;
    const auto length = NumberPrefixLength(rest);
    if (length == 0) return 0;
    if (ParseNumber(rest.substr(0, length), value) == ConversionStatus::Overflow) {
        const Real largest = std::numeric_limits<Real>::max();
        return rest.front() == '-' ? -largest : largest;
    }
    return value;
}

// Eight text bytes as one word: the first byte is the lowest.
std::uint64_t EightBytes(const char* bytes) noexcept {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes, sizeof word);
    } else {
        for (unsigned i = 0; i < 8; ++i) word |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    }
    return word;
}

constexpr std::uint64_t EveryByte(std::uint8_t byte) noexcept {
    return std::uint64_t{0x0101010101010101} * byte;
}

// How many of the eight bytes, from the first on, are digits; `values`
// gets the bytes' digit values (meaningful for those digits only).
unsigned LeadingDigits(std::uint64_t word, std::uint64_t& values) noexcept {
    values = word ^ EveryByte('0'); // a digit becomes 0 to 9, any other byte more
    // The high bit of each byte above 9. A carry out of such a byte only
    // reaches the bytes after it, which no longer count.
    const std::uint64_t above = ((values + EveryByte(0x76)) | values) & EveryByte(0x80);
    return above == 0 ? 8 : static_cast<unsigned>(std::countr_zero(above)) / 8;
}

// The number the first `count` (0 to 8) digit values of the word make.
std::uint64_t DigitsValue(std::uint64_t values, unsigned count) noexcept {
    if (count == 0) return 0;
    // Moved up, the digits are preceded by zeros: eight digits in all.
    std::uint64_t digits = values << (8 * (8 - count));
    digits = digits * 10 + (digits >> 8);
    constexpr std::uint64_t Pairs = 0x000000FF000000FF;
    return (((digits & Pairs) * (100 + (std::uint64_t{1000000} << 32))) +
            (((digits >> 16) & Pairs) * (1 + (std::uint64_t{10000} << 32)))) >>
           32;
}

constexpr std::uint64_t WholePowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// The whole text as a plain decimal of at most seven digits before and
// after the point; false (value untouched) for anything else. The value is
// the one PlainDecimalPrefix gives.
// A lone digit, as most sounder fields of a land shot are ("0"): before any other test.
template <typename Real> bool LoneDigit(std::string_view text, Real& value) noexcept {
    if (text.size() != 1 || !IsDigit(text[0])) return false;
    value = static_cast<Real>(text[0] - '0');
    return true;
}

template <typename Real> bool PaddedPlainDecimal(std::string_view text, Real& value) noexcept {
    const char* bytes = text.data();
    const std::size_t size = text.size();
    // An empty field may have no bytes behind it at all (a null view).
    if (size == 0) return false;
    std::size_t at = 0;
    const bool negative = size > 0 && bytes[0] == '-';
    if (size > 0 && (bytes[0] == '+' || bytes[0] == '-')) at = 1;
    std::uint64_t values;
    const unsigned integerDigits = LeadingDigits(EightBytes(bytes + at), values);
    if (integerDigits == 8) return false;
    std::uint64_t mantissa = DigitsValue(values, integerDigits);
    at += integerDigits;
    unsigned fractionDigits = 0;
    // Digits may run on past the text's end: then `at` passes it and the text is refused.
    if (at < size && bytes[at] == '.') {
        ++at;
        fractionDigits = LeadingDigits(EightBytes(bytes + at), values);
        if (fractionDigits == 8) return false;
        mantissa = mantissa * WholePowersOfTen[fractionDigits] + DigitsValue(values, fractionDigits);
        at += fractionDigits;
    }
    if (at != size || integerDigits + fractionDigits == 0 || mantissa > ExactDecimal<Real>::MaxMantissa) return false;
    Real result = static_cast<Real>(mantissa);
    if (fractionDigits > 0) result /= static_cast<Real>(ExactPowersOfTen[fractionDigits]);
    value = negative ? -result : result;
    return true;
}

} // namespace

std::size_t NumberPrefixLength(std::string_view text) noexcept {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t intEnd = SkipDigits(text, at);
    std::size_t end = intEnd;
    bool hasDigits = intEnd > at;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fracEnd = SkipDigits(text, end + 1);
        if (fracEnd > end + 1 || hasDigits) {
            hasDigits = true;
            end = fracEnd;
        }
    }
    if (!hasDigits) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t expAt = end + 1;
        if (expAt < text.size() && (text[expAt] == '+' || text[expAt] == '-')) ++expAt;
        const std::size_t expEnd = SkipDigits(text, expAt);
        if (expEnd > expAt) end = expEnd;
    }
    return end;
}

bool IsNumberText(std::string_view text) noexcept {
    const auto number = TrimBlanks(text);
    return !number.empty() && NumberPrefixLength(number) == number.size();
}

double LeadingNumberValue(std::string_view text) noexcept {
    return LeadingValue<double>(text);
}

float LeadingNumberValueSingle(std::string_view text) noexcept {
    return LeadingValue<float>(text);
}

ConversionStatus StrictToDouble(std::string_view text, double& value) noexcept {
    return StrictConvert(text, value);
}

ConversionStatus StrictToFloat(std::string_view text, float& value) noexcept {
    return StrictConvert(text, value);
}

// Leading blanks are passed over first: a job file writes its line and shot
// indexes as " 12". The padding still follows the rest of the text.
ConversionStatus PaddedStrictToDouble(std::string_view text, double& value) noexcept {
    if (LoneDigit(text, value)) return ConversionStatus::Ok;
    if (PaddedPlainDecimal(WithoutLeadingBlanks(text), value)) return ConversionStatus::Ok;
    return StrictConvert(text, value);
}

ConversionStatus PaddedStrictToFloat(std::string_view text, float& value) noexcept {
    if (LoneDigit(text, value)) return ConversionStatus::Ok;
    if (PaddedPlainDecimal(WithoutLeadingBlanks(text), value)) return ConversionStatus::Ok;
    return StrictConvert(text, value);
}

} // namespace tolvanor
