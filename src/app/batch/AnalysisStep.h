// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tolvanor {
class Job;
class Prompter;
} // namespace tolvanor

namespace tolvanor::batch {

// --analysis and its settings, converted.
struct AnalysisRequest {
    std::string File; // empty: no analysis
    double Datum = 0;
    bool HasLimits = false;
    double From = 0;
    double To = 0;
    std::vector<double> Contours;
    std::string TemplateFile; // empty: no comparison with a design profile
};

// The analysis options of the command line. Numbers are read as the job
// reads them ("." point, whatever the locale), so they are taken as text.
class AnalysisCommandLine {
public:
    void Add(CLI::App& app);
    // After parsing: fills the request, or throws CLI::ValidationError (a
    // value that is not a number, --analysis without --datum, a setting
    // without --analysis).
    void Finish(const CLI::App& app, AnalysisRequest& request) const;

private:
    std::string file_;
    std::string datum_;
    std::string limits_;
    std::string contours_;
    std::string template_;
};

// Analyses the job as it stands (after the refresh and Generate Output) and
// writes the analysis CSV. A template file that cannot be read, or a CSV
// that cannot be written, is reported through the prompter; lines that
// break the chain of volumes are listed on `messages`. False on a failure.
bool RunAnalysis(const Job& job, const AnalysisRequest& request, bool threeDigits, Prompter& prompter,
                 std::FILE* messages);

} // namespace tolvanor::batch
