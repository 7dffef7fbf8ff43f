// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch/AnalysisStep.h"

#include "analysis/AnalyseJob.h"
#include "analysis/ProfileTemplates.h"
#include "analysis/WriteAnalysisCSV.h"
#include "core/NumberParsing.h"
#include "core/Prompter.h"

#include <CLI/CLI.hpp>

#include <sstream>

namespace tolvanor::batch {

namespace {

constexpr const char* Settings[] = {"--datum", "--limits", "--contours", "--profile-template"};

double NumberOf(const std::string& text, const std::string& option) {
    double value = 0;
    if (StrictToDouble(text, value) != ConversionStatus::Ok)
        throw CLI::ValidationError(option, "\"" + text + "\" is not a number");
    return value;
}

// The numbers of a comma-separated list; empty items are left out.
std::vector<double> NumbersOf(const std::string& list, const std::string& option) {
    std::vector<double> values;
    std::stringstream stream(list);
    for (std::string item; std::getline(stream, item, ',');) {
        if (!item.empty()) values.push_back(NumberOf(item, option));
    }
    return values;
}

} // namespace

void AnalysisCommandLine::Add(CLI::App& app) {
    app.add_option("--analysis", file_,
                   "Write the profile analysis (areas above the datum, contour positions, difference\n"
                   "from the design template, volumes between neighbouring lines) to this .csv")
        ->type_name("FILE");
    app.add_option("--datum", datum_, "Elevation the areas and volumes are measured above (with --analysis)")
        ->type_name("Z");
    app.add_option("--limits", limits_, "Distances down range the areas are taken between (default: each profile)")
        ->type_name("D1,D2");
    app.add_option("--contours", contours_, "Elevations whose positions along each profile are reported")
        ->type_name("Z1,Z2,...");
    app.add_option("--profile-template", template_, "Design profiles (.tvt) the survey is compared with")
        ->check(CLI::Validator(
            [](std::string& value) { return value.empty() ? std::string() : CLI::ExistingFile(value); }, "FILE"))
        ->type_name("FILE");
}

void AnalysisCommandLine::Finish(const CLI::App& app, AnalysisRequest& request) const {
    if (app.count("--analysis") == 0) {
        for (const char* setting : Settings) {
            if (app.count(setting) > 0) throw CLI::ValidationError(setting, "needs --analysis FILE");
        }
        return;
    }
    if (file_.empty()) throw CLI::ValidationError("--analysis", "needs a file name");
    if (app.count("--datum") == 0) throw CLI::ValidationError("--analysis", "needs --datum Z");
    request.File = file_;
    request.Datum = NumberOf(datum_, "--datum");
    if (app.count("--limits") > 0) {
        const auto limits = NumbersOf(limits_, "--limits");
        if (limits.size() != 2) throw CLI::ValidationError("--limits", "needs two distances, D1,D2");
        request.HasLimits = true;
        request.From = limits[0];
        request.To = limits[1];
    }
    request.Contours = NumbersOf(contours_, "--contours");
    request.TemplateFile = template_;
}

bool RunAnalysis(const Job& job, const AnalysisRequest& request, bool threeDigits, Prompter& prompter,
                 std::FILE* messages) {
    if (request.File.empty()) return true;
    AnalysisOptions options;
    options.Datum = request.Datum;
    if (request.HasLimits) {
        options.From = request.From;
        options.To = request.To;
    }
    options.Contours = request.Contours;
    ProfileTemplates templates;
    if (!request.TemplateFile.empty()) {
        if (!templates.Read(request.TemplateFile, threeDigits)) {
            prompter.Message("Unable to read the template file " + request.TemplateFile);
            return false;
        }
        options.Templates = &templates;
    }
    const AnalysisResult result = AnalyseJob(job, options);
    const AnalysisWriteResult written = WriteAnalysisCSV(request.File, result, options);
    if (!written.Written) {
        prompter.Message("Unable to write output file " + request.File + "\r\n" + written.Reason);
        return false;
    }
    for (const std::size_t index : result.Breaks) {
        const LineFigures& line = result.Lines[index];
        std::fprintf(messages, "%s: profile %s breaks the chain of volumes (%s)\n", request.File.c_str(),
                     line.Profile.c_str(),
                     line.State == LineState::NoStartingPoint ? "no starting point" : "fewer than two shots");
    }
    return true;
}

} // namespace tolvanor::batch
