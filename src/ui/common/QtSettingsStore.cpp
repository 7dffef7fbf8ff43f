// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/QtSettingsStore.h"

namespace tolvanor::ui {
namespace {

// Keys and values are the job's 8-bit texts; Latin-1 keeps every byte.
QString KeyOf(std::string_view key) {
    return QString(QtSettingsStore::Group) + '/' + QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString& appName) : settings_(QSettings::UserScope, Organisation, appName) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile, QSettings::Format format) : settings_(iniFile, format) {}

std::string QtSettingsStore::Get(std::string_view key, std::string_view defaultValue) const {
    const QVariant value = settings_.value(KeyOf(key));
    if (!value.isValid()) return std::string(defaultValue);
    return value.toString().toLatin1().toStdString();
}

void QtSettingsStore::Save(std::string_view key, std::string_view value) {
    settings_.setValue(KeyOf(key), QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
}

bool QtSettingsStore::Contains(std::string_view key) const {
    return settings_.contains(KeyOf(key));
}

} // namespace tolvanor::ui
