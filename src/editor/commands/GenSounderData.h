// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// "Gen Sounder Data": fills the grid's heave, tide and elevation columns with
// generated values (heave rocking between -0.9 and 0.9 by 0.1, tide rising
// 0.1 every 50 rows from 1.0, elevation DBT - tide - heave), then stores the
// line and redraws. No undo.
void GenSounderData(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
