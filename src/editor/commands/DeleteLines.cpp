// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/DeleteLines.h"

#include "core/Prompter.h"
#include "editor/commands/CurrentLine.h"

#include <string>

namespace tolvanor {

namespace {

struct LineMatch {
    std::string_view Key;
    bool Exact;

    explicit LineMatch(std::string_view text)
        : Key(text), Exact(text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        if (Exact) Key = text.substr(1, text.size() - 2);
    }
    bool operator()(std::string_view name) const noexcept {
        return Exact ? name == Key : name.find(Key) != std::string_view::npos;
    }
};

} // namespace

std::int32_t DeleteLinesContaining(Job& job, DataEditor& editor, Prompter& prompter, std::string_view text) {
    if (text.empty()) return 0;
    const LineMatch matches(text);
    const auto lastLine = std::min(job.LineCount, static_cast<std::int32_t>(job.MaxLines));
    // One pass that moves each kept line down over the deleted ones, in order.
    std::int32_t kept = 0;
    for (std::int32_t line = 1; line <= lastLine; ++line) {
        if (matches(job.LineName(line))) {
            editor.RemoveProfileEntry(kept);
            continue;
        }
        if (++kept != line) job.Data.SwapLines(kept, line);
    }
    const std::int32_t deleted = lastLine - kept;
    job.LineCount -= deleted;
    if (deleted > 0) {
        prompter.Message(std::to_string(deleted) + " lines containing " + std::string(text) + " deleted.");
        job.DataChanged = true;
    } else {
        prompter.Message("No lines matching   " + std::string(text) + "   were found. ");
    }
    return deleted;
}

DeleteLinesOutcome DeleteLines(Job& job, DataEditor& editor, Prompter& prompter) {
    InputRequest request;
    request.Prompt = "Delete lines containing this text (case sensitive)\rPut text in quotes for exact match only. ";
    const auto text = prompter.Input(request);
    DeleteLinesContaining(job, editor, prompter, text);
    job.DataChanged = true;
    if (job.LineCount > 0) {
        // Both lists are refilled so no additional plot names a deleted line;
        // selecting the first profile shows it and drops the undo snapshot.
        editor.LoadProfileNumbers();
        return DeleteLinesOutcome::LinesLeft;
    }
    prompter.Message("All lines have been deleted.");
    editor.LoadProfileNumbers();
    editor.Grid().SetRows(1);
    editor.State().UndoEnabled = false;
    return DeleteLinesOutcome::AllDeleted;
}

} // namespace tolvanor
