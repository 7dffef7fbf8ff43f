// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch/BatchOptions.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <sstream>

namespace tolvanor::batch {

namespace {

constexpr const char* Description =
    "Reads survey shots exported by field instruments, groups them into shore profiles,\n"
    "attaches starting points, and writes the deliverables, as the main window's\n"
    "New File, Append Data and Generate Output do. Every message the program would\n"
    "show in a window is printed on the error output.";

constexpr const char* Epilog =
    "Data types: 0 Trimble (Seq#,E,N,Elev,Rem)  1 Hypack (E,N,Elev)\n"
    "  2 Processed XYZ (E,N,Elev,Rem)  3 Processed (N,E,Elev,Rem)  4 Field (Seq#,N,E,Elev,Rem)\n"
    "  5 Tolvanor saved job (.tvn)  6 Sounder (Line#,E,N,Z,Tide,Heave,Pitch,Roll,DBT)\n"
    "Exit status: 0 all done; 1 a source or the starting-point file could not be\n"
    "  read, a source held no data, output was refused (no data, no format, no\n"
    "  prefix, ISRP constants missing) or a file could not be written; 2 a mistake\n"
    "  on the command line; 3 only some formats were skipped because their files\n"
    "  existed (use --overwrite); 4 a line or shot limit was met while reading, so\n"
    "  some data was left out (1000 profiles, 2999 shots a profile).";

// An empty value means none; any other must name a file that exists.
const CLI::Validator
    ExistingFileOrNone([](std::string& value) { return value.empty() ? std::string() : CLI::ExistingFile(value); },
                       "FILE");

bool EndsInFolderSeparator(const std::string& path) {
    if (path.empty()) return false;
#ifdef _WIN32
    return path.back() == '/' || path.back() == '\\';
#else
    return path.back() == '/';
#endif
}

bool SetFormats(const std::string& list, BatchOptions& options, std::string& bad) {
    std::stringstream stream(list);
    std::string name;
    while (std::getline(stream, name, ',')) {
        if (name.empty()) continue;
        if (name == "csv")
            options.Csv = true;
        else if (name == "xyz")
            options.Xyz = true;
        else if (name == "irp")
            options.Irp = true;
        else if (name == "se")
            options.Se = true;
        else if (name == "rer")
            options.Rer = true;
        else if (name == "xls")
            options.Xls = true;
        else {
            bad = name;
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<BatchOptions> ParseBatchOptions(int argc, char** argv, int& exitStatus) {
    BatchOptions options;
    bool noThreeDigits = false;
    std::string formats;

    CLI::App app(Description, "tolvanor-batch");
    app.footer(Epilog);
    app.get_formatter()->column_width(34);

    app.add_option("sources", options.Sources,
                   "Source files. The first is loaded as New File, each further one is appended to it")
        ->required()
        ->type_name("SOURCE...");
    app.add_option("--type", options.DataType, "Layout of the source files (data type 0-6, see below)")
        ->check(CLI::Range(0, 6))
        ->type_name("N");
    app.add_option("--append-text", options.AppendText, "Text added to the end of every profile number read")
        ->type_name("TEXT");
    app.add_option("--elev-processing", options.ElevProcessing,
                   "Change elevations while reading (DBT for sounder data): 0 none, 1 add, 2 subtract,\n"
                   "3 reverse sign, 4 reverse sign then add, 5 reverse sign then subtract")
        ->check(CLI::Range(0, 5))
        ->type_name("N");
    app.add_option("--elev-change", options.ElevChange,
                   "Amount for --elev-processing: \"2.5\" is absolute, \"10%\" a percentage of each value")
        ->type_name("TEXT");
    app.add_flag("--map-elevation-to-dbt", options.MapElevationToDbt,
                 "Old 12-field saved jobs: read their elevation column as depth below transducer");
    app.add_flag("--no-three-digits", noThreeDigits,
                 "Keep profile numbers as written instead of forcing them to 3 digits (5 -> 005)");
    app.add_option("--spf", options.StartingPointFile,
                   "Starting-point file (.spf: profile, easting, northing, line angle) to merge into the lines")
        ->check(ExistingFileOrNone)
        ->type_name("FILE");
    app.add_option("--sort", options.SortOrder, "Order of the shots in each profile (sort order 0-6 of the editor)")
        ->check(CLI::Range(0, 6))
        ->type_name("N");
    app.add_option("--posn", options.PosnProcessing,
                   "Position processing on output: 0 none, 1 normalize (straighten lines),\n"
                   "2 thin, 3 normalize then thin")
        ->check(CLI::Range(0, 3))
        ->type_name("N");
    app.add_option("--thin-method", options.ThinMethod, "Thinning: 0 none, 1 by distance, 2 number of shots to ignore")
        ->check(CLI::Range(0, 2))
        ->type_name("N");
    app.add_option("--thin-inc", options.ThinIncrement,
                   "Thinning increment: the distance between kept shots, or how many shots to skip")
        ->type_name("TEXT");
    auto* formatsOption =
        app.add_option(
               "--formats", formats,
               "Deliverables to write, comma-separated: csv,xyz,irp,se,rer,xls\n(without --formats nothing is written)")
            ->type_name("LIST");
    app.add_flag("--individual", options.Individual,
                 "One output file per profile (PREFIX_PROFILE.ext) instead of one file per format");
    app.add_option("--out", options.OutputFolder, "Folder the deliverables are written to (default: current folder)")
        ->type_name("DIR");
    app.add_option("--prefix", options.Prefix, "Name the output files start with (required for output)")
        ->type_name("TEXT");
    app.add_option("--locality", options.Locality, "ISRP locality code (required for irp)")->type_name("TEXT");
    app.add_option("--date", options.SurveyDate, "ISRP survey date (required for irp)")->type_name("TEXT");
    app.add_option("--time", options.SurveyTime, "ISRP survey time (default 1200)")->type_name("TEXT");
    app.add_option("--survey-type", options.SurveyTypeOption,
                   "ISRP survey type: 0, 1, or 2 to take it from each profile number (default 2)")
        ->check(CLI::Range(0, 2))
        ->type_name("N");
    app.add_option("--template", options.TemplateFile, "ISRP template file (.itf) copied to the top of each .irp file")
        ->check(ExistingFileOrNone)
        ->type_name("FILE");
    app.add_flag("--overwrite", options.Overwrite,
                 "Write formats whose files already exist (otherwise they are skipped): .csv,\n"
                 ".xyz, .rer and .xls are replaced, .irp and .se are appended to, not replaced");
    auto* saveJobOption =
        app.add_option("--save-job", options.SaveJob, "Save the job (.tvn) after output, to reopen it later")
            ->type_name("FILE");

    AnalysisCommandLine analysis;
    analysis.Add(app);

    try {
        app.parse(argc, argv);
        analysis.Finish(app, options.Analysis);
        std::string bad;
        if (!SetFormats(formats, options, bad)) {
            throw CLI::ValidationError("--formats", "unknown format \"" + bad + "\" (use csv,xyz,irp,se,rer,xls)");
        }
        if (saveJobOption->count() > 0 && (options.SaveJob.empty() || EndsInFolderSeparator(options.SaveJob))) {
            throw CLI::ValidationError("--save-job", "needs a file name, not \"" + options.SaveJob + "\"");
        }
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        exitStatus = 0;
        return std::nullopt;
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        exitStatus = 2;
        return std::nullopt;
    }
    if (options.OutputFolder.empty()) options.OutputFolder = ".";
    options.ThreeDigits = !noThreeDigits;
    options.OutputRequested = formatsOption->count() > 0;
    return options;
}

} // namespace tolvanor::batch
