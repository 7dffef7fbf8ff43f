// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batch/AnalysisStep.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvanor::batch {

// What a user would set in the main window, gathered from the command line.
struct BatchOptions {
    std::vector<std::string> Sources;
    int DataType = 0;
    std::string AppendText;
    int ElevProcessing = 0;
    std::string ElevChange;
    bool MapElevationToDbt = false;
    bool ThreeDigits = true;
    std::string StartingPointFile;
    int SortOrder = 0;
    int PosnProcessing = 0;
    int ThinMethod = 0;
    std::string ThinIncrement = "1";
    bool Csv = false;
    bool Xyz = false;
    bool Irp = false;
    bool Se = false;
    bool Rer = false;
    bool Xls = false;
    // --formats was given, even with no format in it: Generate Output runs
    // (and says that no format was selected).
    bool OutputRequested = false;
    bool Individual = false;
    std::string OutputFolder = ".";
    std::string Prefix;
    std::string Locality;
    std::string SurveyDate;
    std::string SurveyTime = "1200";
    int SurveyTypeOption = 2;
    std::string TemplateFile;
    bool Overwrite = false;
    std::string SaveJob;
    AnalysisRequest Analysis;
};

// Parses the command line. Returns the options, or the exit status when the
// run ends here (0 after --help, 2 for a usage error, its message printed).
std::optional<BatchOptions> ParseBatchOptions(int argc, char** argv, int& exitStatus);

} // namespace tolvanor::batch
