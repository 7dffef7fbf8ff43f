// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsStore.h"

#include <map>
#include <string>
#include <string_view>

namespace tolvanor {

// A settings store that lives and dies with the object.
class MemorySettingsStore : public SettingsStore {
public:
    std::string Get(std::string_view key, std::string_view defaultValue = {}) const override {
        const auto found = values_.find(key);
        return found == values_.end() ? std::string(defaultValue) : found->second;
    }
    void Save(std::string_view key, std::string_view value) override { values_[std::string(key)] = value; }
    bool Contains(std::string_view key) const override { return values_.find(key) != values_.end(); }

    const std::map<std::string, std::string, std::less<>>& Values() const noexcept { return values_; }

private:
    std::map<std::string, std::string, std::less<>> values_;
};

} // namespace tolvanor
