// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

// One file per format holding all lines, or one file per format and line.
enum class FileMode { SingleFile, FilePerLine };

// The ISRP survey type choice, by the index of its option button.
enum class SurveyTypeOption : int { BeforeDredge = 0, AfterDredge = 1, Maintenance = 2 };

// What the writers read from the main window's output section.
struct OutputOptions {
    std::string Prefix;
    FileMode Mode = FileMode::SingleFile;

    // ISRP card constants, written as typed.
    std::string LocalityCode;
    std::string SurveyDate;
    std::string SurveyTime = "1200";
    SurveyTypeOption SurveyType = SurveyTypeOption::Maintenance;

    // Copy this file to the top of every .irp file the ISRP writer opens.
    bool AppendTemplate = false;
    std::string TemplateFile;
};

} // namespace tolvanor
