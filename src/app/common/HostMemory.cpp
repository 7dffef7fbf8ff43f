// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/common/HostMemory.h"

#include <fstream>
#include <string>
#include <system_error>

namespace tolvanor {

namespace {

// The device's feature bits, one character each from bit 0.
constexpr std::size_t FreePageReportingBit = 5;

bool ReportsFreePages(const std::filesystem::path& device) {
    std::ifstream features(device / "features");
    std::string bits;
    return features >> bits && bits.size() > FreePageReportingBit && bits[FreePageReportingBit] == '1';
}

} // namespace

bool HostTakesFreedMemoryBack(const std::filesystem::path& balloonDriver) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(balloonDriver, error)) {
        if (entry.path().filename().string().starts_with("virtio") && ReportsFreePages(entry.path())) return true;
    }
    return false;
}

} // namespace tolvanor
