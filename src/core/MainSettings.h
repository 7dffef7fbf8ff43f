// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

class SettingsStore;

// The keys of the main window's remembered choices (section "Last Setting").
namespace SettingsKey {
inline constexpr std::string_view UseDefault = "UseDefault";
inline constexpr std::string_view DataType = "DataType";
inline constexpr std::string_view ElevProcessing = "ElevProcessing";
inline constexpr std::string_view SortOrder = "SortOrder";
inline constexpr std::string_view PosnProcessing = "PosnProcessing";
inline constexpr std::string_view ThinMethod = "ThinMethod";
inline constexpr std::string_view ThinInc = "ThinInc";
inline constexpr std::string_view FormatProfileNumbers = "FormatProfileNumbers";
inline constexpr std::string_view ISRPBPAS = "ISRPBPAS";
inline constexpr std::string_view ISRPNewFormat = "ISRPNewFormat";
inline constexpr std::string_view AppendTemplate = "AppendTemplate";
inline constexpr std::string_view RangeElevRemFormat = "RangeElevRemFormat";
inline constexpr std::string_view ISRPIntergraphFormat = "ISRPIntergraphFormat";
inline constexpr std::string_view ExcelFormat = "ExcelFormat";
inline constexpr std::string_view XLSFormat = "XLSFormat";
inline constexpr std::string_view IntergraphFormat = "IntergraphFormat";
inline constexpr std::string_view SingleFile = "SingleFile";
inline constexpr std::string_view IndividualFiles = "IndividualFiles";
inline constexpr std::string_view SourceFileName = "SourceFileName";
inline constexpr std::string_view StartingPoint = "StartingPoint";
inline constexpr std::string_view TemplateFile = "TemplateFile";
inline constexpr std::string_view OutputDirectoryPath = "OutputDirectoryPath";
inline constexpr std::string_view OutputPrefix = "OutputPrefix";
} // namespace SettingsKey

// The lengths of the main window's lists, for reading stored indices back
// (the data types are those of input/DataType.h).
inline constexpr int DataTypeListCount = 7;
inline constexpr int ElevProcessingCount = 6;
inline constexpr int SortOrderCount = 7;
inline constexpr int PosnProcessingCount = 4;
inline constexpr int ThinMethodCount = 3;

// The remembered options of the main window; the defaults are the window's
// design values.
struct MainSettings {
    bool UseDefault = true;
    // Format check boxes.
    bool ISRPBPAS = false;
    bool ISRPNewFormat = false;
    bool RangeElevRemFormat = false;
    bool ISRPIntergraphFormat = false;
    bool ExcelFormat = false;
    bool XLSFormat = false;
    bool IntergraphFormat = false;
    bool SingleFile = true;
    bool IndividualFiles = false;
    bool AppendTemplate = false;
    std::string SourceFileName;
    std::string StartingPoint;
    std::string TemplateFile;
    std::string OutputDirectoryPath; // empty: leave the folder list where it is
    std::string OutputPrefix;
    int DataType = 0;
    int ElevProcessing = 0;
    int SortOrder = 0;
    int PosnProcessing = 0;
    int ThinMethod = 0;
    bool FormatProfileNumbers = true;
    std::string ThinInc = "1";
};

enum class SettingsStart {
    FirstRun,    // no "UseDefault": it is stored as "True", the lists start at 0
    NotRestored, // "Use last setting as default on startup" is off
    Restored,    // every option read back
};

struct RestoredSettings {
    SettingsStart Start = SettingsStart::FirstRun;
    MainSettings Values;
    // The stored output folder is gone: the message to show; the folder is
    // then the default folder.
    std::string FolderMessage;
};

// SetDefaults without the window: what the controls are set to at start-up.
// `defaultFolder` stands for "C:\" (the home folder where there are no drive
// letters) and replaces a stored folder that no longer exists.
RestoredSettings RestoreMainSettings(SettingsStore& store, std::string_view defaultFolder);

// The texts a stored option is written as.
std::string_view CheckText(bool checked) noexcept;   // "1" / "0"
std::string_view TrueFalseText(bool value) noexcept; // "True" / "False"

} // namespace tolvanor
