// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace tolvanor {
class Prompter;
}

namespace tolvanor::ui {

class SourceViewerWindow;

// Asks the system to open a file with the program associated with it; false
// when the system cannot.
using SystemOpener = std::function<bool(const QString& file)>;
bool OpenWithAssociatedProgram(const QString& file);

// "View Source Data" (button and "&Source Data" menu item): checks the file,
// refreshes the temporary copy "tolvasource.tmp", and opens the file with
// its associated program or, where there is none (and for a job file where no
// text editor exists), in `viewer`. The job is never touched: the viewer
// keeps its own modified flag.
void ViewSourceData(const QString& sourceFile, Prompter& prompter, SourceViewerWindow& viewer,
                    const SystemOpener& open = OpenWithAssociatedProgram);

} // namespace tolvanor::ui
