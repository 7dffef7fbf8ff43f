// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tolvanor {

// Splits a line at ",", keeping at most N fields without allocating (no
// quoting, no trimming). Count() tells how many fields the line has, up to
// N + 1 for "more than N"; fields past N are not kept.
template <std::size_t N> class FieldSplitter {
public:
    explicit FieldSplitter(std::string_view line) noexcept {
        std::size_t start = 0;
        std::size_t at = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Eight bytes at a time: every line of a survey file is split, so this is hot.
            for (; at + 8 <= line.size(); at += 8) {
                std::uint64_t word;
                std::memcpy(&word, line.data() + at, sizeof word);
                for (std::uint64_t commas = ZeroBytes(word ^ (Ones * ',')); commas != 0; commas &= commas - 1) {
                    if (!Take(line, start, at + static_cast<std::size_t>(std::countr_zero(commas)) / 8)) return;
                }
            }
        }
        for (; at < line.size(); ++at) {
            if (line[at] == ',' && !Take(line, start, at)) return;
        }
        Take(line, start, line.size());
    }

    std::size_t Count() const noexcept { return count_; }
    bool Has(int column) const noexcept {
        return column >= 0 && static_cast<std::size_t>(column) < count_ && static_cast<std::size_t>(column) < N;
    }
    // A field not on the line is empty.
    std::string_view operator[](std::size_t index) const noexcept {
        return index < count_ && index < N ? std::string_view(fields_[index].Data, fields_[index].Size)
                                           : std::string_view();
    }

private:
    static constexpr std::uint64_t Ones = 0x0101010101010101;
    static constexpr std::uint64_t Lows = 0x7F7F7F7F7F7F7F7F;

    // The high bit of every byte of `word` that is zero, and of no other.
    static std::uint64_t ZeroBytes(std::uint64_t word) noexcept { return ~(((word & Lows) + Lows) | word | Lows); }

    // Ends the current field at `end`; false once more than N fields were seen.
    bool Take(std::string_view line, std::size_t& start, std::size_t end) noexcept {
        if (count_ == N) {
            ++count_;
            return false;
        }
        fields_[count_++] = {line.data() + start, end - start};
        start = end + 1;
        return true;
    }

    // Plain pairs, left unset until taken: clearing string views for every
    // line split was an eighth of a saved job's splitting.
    struct Field {
        const char* Data;
        std::size_t Size;
    };
    std::array<Field, N> fields_;
    std::size_t count_ = 0;
};

} // namespace tolvanor
