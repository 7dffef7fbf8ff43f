// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

// The per-user store of remembered choices: string values by key under the
// application's name and the "Last Setting" section. The windows keep it in
// the system's settings; tests and headless runs keep it in memory.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or `defaultValue` when the key was never written.
    virtual std::string Get(std::string_view key, std::string_view defaultValue = {}) const = 0;
    virtual void Save(std::string_view key, std::string_view value) = 0;
    virtual bool Contains(std::string_view key) const = 0;
};

} // namespace tolvanor
