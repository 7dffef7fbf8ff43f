// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace tolvanor {

// Splits a line at ",", keeping at most N fields without allocating (no
// quoting, no trimming). Count() tells how many fields the line has, up to
// N + 1 for "more than N"; fields past N are not kept.
template <std::size_t N> class FieldSplitter {
public:
    explicit FieldSplitter(std::string_view line) noexcept {
        std::size_t start = 0;
        for (std::size_t at = 0; at < line.size(); ++at) {
            if (line[at] != ',') continue;
            if (count_ == N) {
                ++count_;
                return;
            }
            fields_[count_++] = line.substr(start, at - start);
            start = at + 1;
        }
        if (count_ == N) {
            ++count_;
            return;
        }
        fields_[count_++] = line.substr(start);
    }

    std::size_t Count() const noexcept { return count_; }
    bool Has(int column) const noexcept {
        return column >= 0 && static_cast<std::size_t>(column) < count_ && static_cast<std::size_t>(column) < N;
    }
    std::string_view operator[](std::size_t index) const noexcept { return fields_[index]; }

private:
    std::array<std::string_view, N> fields_{};
    std::size_t count_ = 0;
};

} // namespace tolvanor
