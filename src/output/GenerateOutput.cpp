// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/GenerateOutput.h"

#include "core/Job.h"
#include "core/PassWorker.h"
#include "core/Prompter.h"
#include "output/Deliverables.h"
#include "output/OutputFormat.h"
#include "output/WriteOutputFiles.h"
#include "processing/FieldHelpers.h"
#include "processing/LineGeometry.h"
#include "processing/Thinning.h"

#include <array>
#include <atomic>
#include <vector>

namespace tolvanor {

namespace {

struct FormatChoice {
    OutputFormat Format;
    bool GenerateOptions::*Ticked;
    const char* ExistsText; // what stands between the path and the question
};

// The fixed order of the deliverables and the wording of each overwrite question.
constexpr std::array<FormatChoice, 6> Formats{{
    {OutputFormat::Csv, &GenerateOptions::Csv, " already exists! "},
    {OutputFormat::Xyz, &GenerateOptions::Xyz, " already exists! "},
    {OutputFormat::Isrp, &GenerateOptions::Isrp, " already exists!"},
    {OutputFormat::Se, &GenerateOptions::Se, " already exists!"},
    {OutputFormat::Rer, &GenerateOptions::Rer, " exists! "},
    {OutputFormat::Xls, &GenerateOptions::Xls, " already exists! "},
}};

bool AnyFormatTicked(const GenerateOptions& options) {
    for (const auto& choice : Formats) {
        if (options.*choice.Ticked) return true;
    }
    return false;
}

// Returns the refusal message, or nothing when the command may run.
const char* Refusal(const Job& job, const GenerateOptions& options) {
    if (job.LineCount == 0) return "No data available for output. Please choose input file and load New data.";
    if (!AnyFormatTicked(options)) return "No output format selected.  Please select at least one format.";
    if (options.Writer.Prefix.empty()) return "Please select a File Name Prefix before generating output.";
    const auto& writer = options.Writer;
    if (options.Isrp && (writer.LocalityCode.empty() || writer.SurveyDate.empty() || writer.SurveyTime.empty())) {
        return "Please complete all ISRP constant fields before generating ISRP output.";
    }
    return nullptr;
}

// Straightens the lines on this thread and one more, taking them in turn.
void NormalizeSideBySide(std::vector<LineShots>& lines) {
    std::atomic<std::size_t> next{0};
    const auto take = [&lines, &next] {
        for (std::size_t at = next++; at < lines.size(); at = next++) NormalizeShots(lines[at]);
    };
    PassWorker helper(lines.size() > 1);
    helper.Start(take);
    take();
    helper.Wait();
    lines.clear();
}

// Straightens every line that has a starting point. False when the user cancels.
// The lines' records are edited here in order and straightened in batches,
// every line before a message being done when it shows.
bool NormalizeAll(Job& job, OutputEditor* editor, Prompter& prompter) {
    std::vector<LineShots> lines;
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        if (HasStartingPoint(job, line)) {
            std::int32_t first = 0;
            std::int32_t last = 0;
            lines.push_back(EditLineToNormalize(job, line, first, last));
            continue;
        }
        NormalizeSideBySide(lines);
        MessageRequest request;
        request.Text =
            "Unable to normalize line " + std::string(job.LineName(line)) + "\r" + "This line will not be normalized.";
        request.Buttons = MessageButtons::OkCancel;
        if (prompter.Message(request) != MessageAnswer::Ok) return false;
    }
    NormalizeSideBySide(lines);
    if (editor != nullptr) {
        const int selected = editor->SelectedProfileIndex();
        editor->LoadArray();
        editor->SelectProfile(selected);
    }
    return true;
}

void ThinAll(Job& job, const GenerateOptions& options) {
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        ThinLine(job, line, options.ThinMethod, options.ThinIncrement);
    }
}

// True when the format may be written: its single file is new, or the user
// agreed to replace it. Per-line files are never asked about.
bool MayWrite(const FormatChoice& choice, const GenerateOptions& options, Prompter& prompter) {
    const std::string path = SingleFilePath(options.Folder, options.Writer, choice.Format);
    if (options.Writer.Mode != FileMode::SingleFile || !FileExists(path)) return true;
    MessageRequest request;
    request.Text = path + choice.ExistsText + "\r" + "Do you wish to overwrite this file?";
    request.Buttons = MessageButtons::YesNo;
    request.Icon = MessageIcon::Exclamation;
    return prompter.Message(request) == MessageAnswer::Yes;
}

void ReportWriteFailure(const OutputResult& written, Prompter& prompter) {
    MessageRequest request;
    request.Text = "Unable to write output file " + written.FailedPath + "\r\n" + written.Reason;
    request.Icon = MessageIcon::Exclamation;
    prompter.Message(request);
}

// The overwrite questions come first, in the formats' order, as the
// Prompter is answered on this thread only; the chosen formats are then
// written side by side and their failures reported in that same order.
void WriteFormats(const Job& job, const GenerateOptions& options, Prompter& prompter, Progress* progress,
                  GenerateResult& result) {
    std::vector<OutputFormat> chosen;
    for (const auto& choice : Formats) {
        if (!(options.*choice.Ticked)) continue;
        if (MayWrite(choice, options, prompter)) {
            chosen.push_back(choice.Format);
        } else {
            result.FormatSkipped = true;
        }
    }
    const std::vector<OutputResult> written = WriteOutputFiles(chosen, job, options.Writer, options.Folder, progress);
    for (const OutputResult& format : written) {
        result.FilesWritten.insert(result.FilesWritten.end(), format.FilesWritten.begin(), format.FilesWritten.end());
        if (format.Failed()) {
            result.WriteFailed = true;
            ReportWriteFailure(format, prompter);
        }
    }
}

void ReportFinished(const GenerateResult& result, Prompter& prompter) {
    MessageRequest request;
    if (result.WriteFailed) {
        request.Text = "Some output files could not be created.";
        request.Icon = MessageIcon::Exclamation;
    } else {
        request.Text = "Any valid output file types have been created in the specified folder!";
        request.Icon = MessageIcon::Information;
    }
    prompter.Message(request);
}

} // namespace

GenerateResult GenerateOutput(Job& job, const GenerateOptions& options, OutputEditor* editor, Prompter& prompter,
                              Progress* progress) {
    GenerateResult result;
    if (const char* refusal = Refusal(job, options)) {
        prompter.Message(refusal);
        return result;
    }

    const bool editorWasVisible = editor != nullptr && editor->IsVisible();
    if (editor != nullptr) editor->SetVisible(false);

    const int processing = options.PosnProcessing;
    if ((processing == 1 || processing == 3) && !NormalizeAll(job, editor, prompter)) {
        // The editor stays hidden and is not reloaded; lines already straightened stay so.
        result.Status = GenerateStatus::Cancelled;
        return result;
    }
    if (processing == 2 || processing == 3) ThinAll(job, options);

    WriteFormats(job, options, prompter, progress, result);

    if (editor != nullptr) {
        editor->ShowListedProfile();
        editor->SetVisible(editorWasVisible);
    }
    result.Status = GenerateStatus::Finished;
    ReportFinished(result, prompter);
    return result;
}

} // namespace tolvanor
