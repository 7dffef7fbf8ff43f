// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MainSettings.h"

#include "core/NumberParsing.h"
#include "core/SettingsStore.h"
#include "core/Text.h"

#include <filesystem>
#include <system_error>

namespace tolvanor {
namespace {

// Check boxes and option buttons are read as numbers: any value but 0 ticks.
bool ReadCheck(const SettingsStore& store, std::string_view key, std::string_view fallback) {
    return LeadingNumberValue(store.Get(key, fallback)) != 0.0;
}

// A list index; one outside the list (never written by the program) is 0.
int ReadIndex(const SettingsStore& store, std::string_view key, int count) {
    const double value = LeadingNumberValue(store.Get(key, "0"));
    if (!(value >= 0.0) || value >= count) return 0;
    return static_cast<int>(value);
}

// "True"/"False" in any case, or a number (0 is false).
bool ReadBoolean(const std::string& text, bool fallback) {
    const std::string upper = UpperAscii(TrimBlanks(text));
    if (upper == "TRUE") return true;
    if (upper == "FALSE") return false;
    if (IsNumberText(upper)) return LeadingNumberValue(upper) != 0.0;
    return fallback;
}

bool FolderExists(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

void RestoreFormats(const SettingsStore& store, MainSettings& values) {
    values.ISRPBPAS = ReadCheck(store, SettingsKey::ISRPBPAS, "0");
    values.ISRPNewFormat = ReadCheck(store, SettingsKey::ISRPNewFormat, "0");
    values.RangeElevRemFormat = ReadCheck(store, SettingsKey::RangeElevRemFormat, "0");
    values.ISRPIntergraphFormat = ReadCheck(store, SettingsKey::ISRPIntergraphFormat, "0");
    values.ExcelFormat = ReadCheck(store, SettingsKey::ExcelFormat, "0");
    values.XLSFormat = ReadCheck(store, SettingsKey::XLSFormat, "0");
    values.IntergraphFormat = ReadCheck(store, SettingsKey::IntergraphFormat, "0");
    values.SingleFile = ReadCheck(store, SettingsKey::SingleFile, "1");
    values.IndividualFiles = ReadCheck(store, SettingsKey::IndividualFiles, "0");
    values.AppendTemplate = ReadCheck(store, SettingsKey::AppendTemplate, "0");
}

void RestoreLists(const SettingsStore& store, MainSettings& values) {
    values.DataType = ReadIndex(store, SettingsKey::DataType, DataTypeListCount);
    values.ElevProcessing = ReadIndex(store, SettingsKey::ElevProcessing, ElevProcessingCount);
    values.SortOrder = ReadIndex(store, SettingsKey::SortOrder, SortOrderCount);
    values.PosnProcessing = ReadIndex(store, SettingsKey::PosnProcessing, PosnProcessingCount);
    values.ThinMethod = ReadIndex(store, SettingsKey::ThinMethod, ThinMethodCount);
}

} // namespace

std::string_view CheckText(bool checked) noexcept {
    return checked ? "1" : "0";
}
std::string_view TrueFalseText(bool value) noexcept {
    return value ? "True" : "False";
}

RestoredSettings RestoreMainSettings(SettingsStore& store, std::string_view defaultFolder) {
    RestoredSettings result;
    const std::string useDefault = store.Get(SettingsKey::UseDefault, "None");
    if (useDefault == "None") {
        store.Save(SettingsKey::UseDefault, "True");
        result.Start = SettingsStart::FirstRun;
        return result;
    }
    result.Values.UseDefault = ReadBoolean(useDefault, false);
    if (!result.Values.UseDefault) {
        result.Start = SettingsStart::NotRestored;
        return result;
    }
    result.Start = SettingsStart::Restored;
    MainSettings& values = result.Values;
    RestoreFormats(store, values);
    values.SourceFileName = store.Get(SettingsKey::SourceFileName);
    values.StartingPoint = store.Get(SettingsKey::StartingPoint);
    values.TemplateFile = store.Get(SettingsKey::TemplateFile);
    values.OutputDirectoryPath = store.Get(SettingsKey::OutputDirectoryPath, defaultFolder);
    if (!FolderExists(values.OutputDirectoryPath)) {
        result.FolderMessage =
            "Previously used drive or folder not found.  Defaulting output to " + std::string(defaultFolder);
        values.OutputDirectoryPath = std::string(defaultFolder);
    }
    values.OutputPrefix = store.Get(SettingsKey::OutputPrefix);
    RestoreLists(store, values);
    values.FormatProfileNumbers = ReadBoolean(store.Get(SettingsKey::FormatProfileNumbers, "True"), true);
    values.ThinInc = store.Get(SettingsKey::ThinInc, "1");
    return result;
}

} // namespace tolvanor
