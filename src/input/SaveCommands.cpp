// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/SaveCommands.h"

#include "core/Job.h"
#include "core/JobFile.h"
#include "core/Prompter.h"
#include "core/Text.h"

namespace tolvanor {

namespace {

constexpr std::string_view JobExtension = ".tvn";
constexpr std::string_view NoOutputTitle = "No Output File Specified";

std::string WithJobExtension(std::string_view path) {
    std::string lowered(RightText(path, JobExtension.size()));
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    std::string result(path);
    if (lowered != JobExtension) result += JobExtension;
    return result;
}

SaveResult WriteReported(Job& job, const std::string& path, Prompter& prompter, Progress* progress) {
    const JobFileStatus status = WriteJobFile(job, path, progress);
    if (!status.Ok) {
        prompter.Message("Unable to save the job file.\r\n" + path + "\r\n" + status.Reason);
        return {SaveOutcome::Failed, path};
    }
    job.DataChanged = false;
    return {SaveOutcome::Saved, path};
}

} // namespace

SaveResult SaveData(Job& job, Prompter& prompter, Progress* progress) {
    if (job.LineCount <= 0) return {SaveOutcome::NothingToSave, {}};
    FileDialogRequest request;
    request.Title = "Save Work in Process";
    request.Filter = "Tolvanor (.tvn)|*.tvn|All Files (*.*)|*.*|";
    request.DefaultExtension = "tvn";
    const std::string chosen = prompter.SaveFile(request);
    if (chosen.empty()) return {SaveOutcome::Cancelled, {}};
    return SaveDataAs(job, chosen, prompter, progress);
}

SaveResult SaveDataAs(Job& job, std::string_view chosenPath, Prompter& prompter, Progress* progress) {
    if (job.LineCount <= 0) return {SaveOutcome::NothingToSave, {}};
    if (chosenPath.empty()) return {SaveOutcome::Cancelled, {}};
    return WriteReported(job, WithJobExtension(chosenPath), prompter, progress);
}

SaveAndExitResult SaveAndExit(Job& job, std::string_view outputPrefix, Prompter& prompter, Progress* progress) {
    SaveAndExitResult result;
    result.OutputPrefix = std::string(outputPrefix);
    if (job.LineCount <= 0) {
        result.Quit = true;
        result.Save.Outcome = SaveOutcome::NothingToSave;
        return result;
    }
    if (result.OutputPrefix.empty()) {
        result.OutputPrefix =
            prompter.Input({"Enter File Name for Output (no Extension)", std::string(NoOutputTitle), {}});
    }
    if (result.OutputPrefix.empty()) {
        prompter.Message({"No name supplied so your data has not been saved!", std::string(NoOutputTitle),
                          MessageButtons::Ok, MessageIcon::Exclamation});
        result.Save.Outcome = SaveOutcome::Cancelled;
        return result;
    }
    result.Save = WriteReported(job, result.OutputPrefix + std::string(JobExtension), prompter, progress);
    result.Quit = result.Save.Outcome == SaveOutcome::Saved;
    return result;
}

} // namespace tolvanor
