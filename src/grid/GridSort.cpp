// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid/GridSort.h"

#include "core/NumberParsing.h"

#include <algorithm>
#include <numeric>

namespace tolvanor {

namespace {

struct GenericKey {
    bool IsNumber = false;
    double Value = 0;
    std::string_view Text;
};

GenericKey MakeGenericKey(std::string_view text) noexcept {
    // A whole-text number, valued as its leading number (saturating out of range).
    double value = 0;
    const auto status = StrictToDouble(text, value);
    if (status == ConversionStatus::Overflow) value = LeadingNumberValue(text);
    return {status != ConversionStatus::TypeMismatch, value, text};
}

// Numbers first in both directions; `descending` flips the order within each group.
bool GenericKeyLess(const GenericKey& a, const GenericKey& b, bool descending) noexcept {
    if (a.IsNumber != b.IsNumber) return a.IsNumber;
    if (a.IsNumber) return descending ? b.Value < a.Value : a.Value < b.Value;
    return descending ? b.Text < a.Text : a.Text < b.Text;
}

unsigned char UpperByte(char c) noexcept {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Sorts `order` (indices into keys) stably unless it is already in order.
template <typename Key, typename Less> std::vector<int> StableOrder(std::span<const Key> keys, Less less) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    const auto byIndex = [&](int a, int b) {
        return less(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]);
    };
    if (!std::is_sorted(order.begin(), order.end(), byIndex)) std::stable_sort(order.begin(), order.end(), byIndex);
    return order;
}

} // namespace

bool GenericLess(std::string_view a, std::string_view b) noexcept {
    return GenericKeyLess(MakeGenericKey(a), MakeGenericKey(b), false);
}

bool TextLessNoCase(std::string_view a, std::string_view b) noexcept {
    const auto common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = UpperByte(a[i]);
        const auto y = UpperByte(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

std::vector<int> GridSortPermutation(std::span<const std::string_view> keys, GridSortOrder order) {
    switch (order) {
    case GridSortOrder::GenericAscending:
    case GridSortOrder::GenericDescending: {
        const bool descending = order == GridSortOrder::GenericDescending;
        std::vector<GenericKey> generic;
        generic.reserve(keys.size());
        for (const auto key : keys) generic.push_back(MakeGenericKey(key));
        return StableOrder<GenericKey>(generic, [descending](const GenericKey& a, const GenericKey& b) {
            return GenericKeyLess(a, b, descending);
        });
    }
    case GridSortOrder::NumericAscending:
    case GridSortOrder::NumericDescending: {
        std::vector<double> values;
        values.reserve(keys.size());
        for (const auto key : keys) values.push_back(LeadingNumberValue(key));
        if (order == GridSortOrder::NumericAscending) return StableOrder<double>(values, std::less<double>());
        return StableOrder<double>(values, std::greater<double>());
    }
    case GridSortOrder::TextAscendingNoCase: {
        return StableOrder<std::string_view>(keys, TextLessNoCase);
    }
    }
    std::vector<int> identity(keys.size());
    std::iota(identity.begin(), identity.end(), 0);
    return identity;
}

std::vector<int> GridSortPermutation(std::span<const double> values, GridSortOrder order) {
    switch (order) {
    case GridSortOrder::GenericAscending:
    case GridSortOrder::NumericAscending:
        return StableOrder<double>(values, std::less<double>());
    case GridSortOrder::GenericDescending:
    case GridSortOrder::NumericDescending:
        return StableOrder<double>(values, std::greater<double>());
    case GridSortOrder::TextAscendingNoCase:
        break;
    }
    std::vector<int> identity(values.size());
    std::iota(identity.begin(), identity.end(), 0);
    return identity;
}

} // namespace tolvanor
