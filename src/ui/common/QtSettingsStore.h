// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsStore.h"

#include <QSettings>
#include <QString>

namespace tolvanor::ui {

// The settings store over QSettings: user scope, organisation "Tolvanor",
// application AppName, group "Last Setting". A file path puts the store in
// that INI file instead (tests point it at a temporary folder).
class QtSettingsStore : public SettingsStore {
public:
    static constexpr const char* Organisation = "Tolvanor";
    static constexpr const char* Group = "Last Setting";

    explicit QtSettingsStore(const QString& appName);
    QtSettingsStore(const QString& iniFile, QSettings::Format format);

    std::string Get(std::string_view key, std::string_view defaultValue = {}) const override;
    void Save(std::string_view key, std::string_view value) override;
    bool Contains(std::string_view key) const override;

    QSettings& Settings() noexcept { return settings_; }

private:
    mutable QSettings settings_;
};

} // namespace tolvanor::ui
