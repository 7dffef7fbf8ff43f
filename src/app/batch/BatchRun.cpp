// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch/BatchRun.h"

#include "app/batch/AnalysisStep.h"
#include "app/batch/StderrPrompter.h"
#include "app/batch/TerminalProgress.h"
#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/EditorOutputHooks.h"
#include "input/LoadCommands.h"
#include "input/SaveCommands.h"
#include "output/GenerateOutput.h"

#include <array>
#include <memory>

namespace tolvanor::batch {

namespace {

ReadOptions ReadOptionsFor(const BatchOptions& options, const std::string& source) {
    ReadOptions read;
    read.SourceFileName = source;
    read.DataType = options.DataType;
    read.AppendToProfile = options.AppendText;
    read.ElevProcessing = options.ElevProcessing;
    read.ElevChange = options.ElevChange;
    read.MapElevation = options.MapElevationToDbt;
    read.FormatProfileNumbers = options.ThreeDigits;
    return read;
}

GenerateOptions GenerateOptionsFor(const BatchOptions& options) {
    static constexpr std::array<const char*, 3> ThinMethods{"None", "Distance", "Number to Ignore"};
    GenerateOptions generate;
    generate.Csv = options.Csv;
    generate.Xyz = options.Xyz;
    generate.Isrp = options.Irp;
    generate.Se = options.Se;
    generate.Rer = options.Rer;
    generate.Xls = options.Xls;
    generate.Folder = options.OutputFolder;
    generate.Writer.Prefix = options.Prefix;
    generate.Writer.Mode = options.Individual ? FileMode::FilePerLine : FileMode::SingleFile;
    generate.Writer.LocalityCode = options.Locality;
    generate.Writer.SurveyDate = options.SurveyDate;
    generate.Writer.SurveyTime = options.SurveyTime;
    generate.Writer.SurveyType = static_cast<SurveyTypeOption>(options.SurveyTypeOption);
    generate.Writer.AppendTemplate = !options.TemplateFile.empty();
    generate.Writer.TemplateFile = options.TemplateFile;
    generate.PosnProcessing = options.PosnProcessing;
    generate.ThinMethod = ThinMethods.at(static_cast<std::size_t>(options.ThinMethod));
    generate.ThinIncrement = options.ThinIncrement;
    return generate;
}

const char* SkipReasonText(StartingPointSkip reason) {
    switch (reason) {
    case StartingPointSkip::Blank:
        return "blank";
    case StartingPointSkip::TooFewFields:
        return "fewer than four fields";
    case StartingPointSkip::NotANumber:
        return "easting, northing or angle is not a number";
    }
    return "unreadable";
}

// Not a message box of the program, but a surveyor wants to know which
// starting points were not used.
void ReportMerge(const MergeReport& report, const std::string& path, std::FILE* messages) {
    for (const auto& skipped : report.Skipped) {
        if (skipped.Reason == StartingPointSkip::Blank) continue;
        std::fprintf(messages, "%s: line %d skipped (%s)\n", path.c_str(), skipped.LineNumber,
                     SkipReasonText(skipped.Reason));
    }
}

bool LoadFailed(LoadOutcome outcome) {
    switch (outcome) {
    case LoadOutcome::Loaded:
        return false;
    case LoadOutcome::NoData:
    case LoadOutcome::ReadFailed:
    case LoadOutcome::NoSourceFile:
    case LoadOutcome::SourceMissing:
    case LoadOutcome::Cancelled:
        return true;
    }
    return true;
}

} // namespace

int RunBatch(const BatchOptions& options, std::FILE* messages, bool showProgress) {
    HugePageResource rowMemory;
    Job job(Job::DefaultMaxLines, Job::DefaultMaxShots, &rowMemory);
    StderrPrompter prompter(messages, options.Overwrite);
    std::unique_ptr<TerminalProgress> terminal;
    if (showProgress) terminal = std::make_unique<TerminalProgress>(messages);
    prompter.SetProgressLine(terminal.get());

    DataEditor editor(job, prompter);
    editor.Options().SortOrder = options.SortOrder;
    editor.Options().FormatProfileNumbers = options.ThreeDigits;
    editor.Options().StartingPointFile = options.StartingPointFile;

    bool limitMet = false;
    for (std::size_t i = 0; i < options.Sources.size(); ++i) {
        const auto read = ReadOptionsFor(options, options.Sources[i]);
        if (terminal) terminal->Begin("Reading " + options.Sources[i]);
        const LoadResult loaded =
            i == 0 ? NewFile(job, read, prompter, terminal.get()) : AppendData(job, read, prompter, terminal.get());
        if (terminal) terminal->Finish();
        if (LoadFailed(loaded.Outcome)) return ExitFailed;
        limitMet = limitMet || loaded.LineLimitReached || loaded.ShotLimitReached;
        if (terminal) terminal->Begin("Passing " + options.Sources[i]);
        const MergeReport merged = editor.RefreshDataEdit(terminal.get());
        if (terminal) terminal->Finish();
        // Its message is shown; going on would write deliverables without starting points.
        if (merged.ReadFailed) return ExitFailed;
        if (i + 1 == options.Sources.size()) ReportMerge(merged, options.StartingPointFile, messages);
    }

    int status = limitMet ? ExitLimited : ExitDone;
    if (options.OutputRequested) {
        EditorOutputHooks hooks(editor);
        if (terminal) terminal->Begin("Writing");
        const GenerateResult generated =
            GenerateOutput(job, GenerateOptionsFor(options), &hooks, prompter, terminal.get());
        if (terminal) terminal->Finish();
        if (generated.Status != GenerateStatus::Finished || generated.WriteFailed) {
            status = ExitFailed;
        } else if (generated.FormatSkipped && !limitMet) {
            status = ExitSkipped;
        }
    }

    // After output, so it sees the lines as the deliverables do (normalized, thinned).
    if (!RunAnalysis(job, options.Analysis, options.ThreeDigits, prompter, messages)) status = ExitFailed;

    if (!options.SaveJob.empty() && job.LineCount > 0) {
        if (terminal) terminal->Begin("Saving " + options.SaveJob);
        const SaveResult saved = SaveDataAs(job, options.SaveJob, prompter, terminal.get());
        if (terminal) terminal->Finish();
        if (saved.Outcome != SaveOutcome::Saved) status = ExitFailed;
    }
    return status;
}

} // namespace tolvanor::batch
