// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;

// "Delete Shot": takes the undo snapshot, removes the selected rows from the
// grid and stores the shortened line (its shot count drops by the rows
// removed), then redraws. False when no data row is selected. The window
// disables the button afterwards.
bool DeleteShot(Job& job, DataEditor& editor);

} // namespace tolvanor
