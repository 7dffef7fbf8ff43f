// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/ResetIgnore.h"

#include "core/Prompter.h"
#include "editor/Undo.h"
#include "editor/commands/CurrentLine.h"

namespace tolvanor {

namespace {

// True when a flag was set; the job then has unsaved work.
bool ClearShotFlags(Job& job, std::int32_t line) {
    bool cleared = false;
    const auto shots = std::min(job.ShotCount(line), job.Data.ShotBound());
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        if (!job.Data.At(line, shot).Ignore) continue;
        job.Data.Edit(line, shot).Ignore = false;
        cleared = true;
    }
    return cleared;
}

void Reload(Job& job, DataEditor& editor, bool cleared) {
    editor.ArrayToGrid(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    if (cleared) job.DataChanged = true;
}

} // namespace

void ResetIgnoreLine(Job& job, DataEditor& editor) {
    if (!HasCurrentLine(job)) return;
    StoreUndo(job, editor);
    editor.StoreGridLine(job.CurrentLine);
    Reload(job, editor, ClearShotFlags(job, job.CurrentLine));
}

bool ResetIgnoreAllLines(Job& job, DataEditor& editor, Prompter& prompter) {
    MessageRequest question;
    question.Text = "This will store any changes to the grid and enable any Ignored shots in all the lines.\r\n"
                    "          This action cannot be undone!  Click OK to continue.";
    question.Buttons = MessageButtons::OkCancel;
    if (prompter.Message(question) != MessageAnswer::Ok) return false;
    if (HasCurrentLine(job)) editor.StoreGridLine(job.CurrentLine);
    bool cleared = false;
    const auto lastLine = std::min(job.LineCount, static_cast<std::int32_t>(job.MaxLines));
    for (std::int32_t line = 1; line <= lastLine; ++line) cleared = ClearShotFlags(job, line) || cleared;
    if (HasCurrentLine(job)) Reload(job, editor, cleared);
    return true;
}

} // namespace tolvanor
