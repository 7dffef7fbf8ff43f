// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// "Merge Lines": after taking the undo snapshot, the shots of every line
// selected in the additional-plots list (the current line excepted) are
// appended to the current line, each under the current line's profile
// number, and each merged line is then marked ignored so it stays in the job
// but leaves the output. The line is reloaded, sorted and redrawn. A merge
// that would pass the line's shot limit stops with the limit's message and
// leaves that source line un-ignored, so none of its shots drop out of the
// output. Returns the number of lines merged.
int MergeLines(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
