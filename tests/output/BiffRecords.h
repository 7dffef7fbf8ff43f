// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvanor::testing {

// One record of a BIFF file: its number and data bytes.
struct BiffRecord {
    std::uint16_t Number = 0;
    std::string Data;
};

// Splits a BIFF byte stream into records; `complete` is false when the last
// record runs past the end.
inline std::vector<BiffRecord> SplitRecords(const std::string& bytes, bool& complete) {
    std::vector<BiffRecord> records;
    std::size_t at = 0;
    auto u16 = [&](std::size_t offset) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                          (static_cast<unsigned char>(bytes[offset + 1]) << 8));
    };
    complete = true;
    while (at < bytes.size()) {
        if (at + 4 > bytes.size()) {
            complete = false;
            break;
        }
        const std::uint16_t number = u16(at);
        const std::uint16_t length = u16(at + 2);
        if (at + 4 + length > bytes.size()) {
            complete = false;
            break;
        }
        records.push_back({number, bytes.substr(at + 4, length)});
        at += 4 + length;
    }
    return records;
}

// Bytes written as hex pairs ("04 00 0F").
inline std::string Hex(const std::string& text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); at += 3) {
        bytes.push_back(static_cast<char>(std::stoi(text.substr(at, 2), nullptr, 16)));
    }
    return bytes;
}

} // namespace tolvanor::testing
