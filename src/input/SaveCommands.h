// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

class Job;
class Progress;
class Prompter;

enum class SaveOutcome {
    Saved,         // the job file was written; DataChanged is now false
    NothingToSave, // no line loaded: nothing written, no message
    Cancelled,     // the dialog was cancelled, or no name was given (Save and Exit says so)
    Failed,        // "Unable to save the job file." was shown; DataChanged unchanged
};

struct SaveResult {
    SaveOutcome Outcome = SaveOutcome::Saved;
    std::string Path; // the job file written (or that could not be written)
};

// "Save Data": asks for a file name with the save dialog, then SaveDataAs.
SaveResult SaveData(Job& job, Prompter& prompter, Progress* progress = nullptr);

// "Save Data" with the dialog's answer already known: ".tvn" is added when
// the name does not end in it (in any case), the job is written atomically
// and a failure is reported through the prompter.
SaveResult SaveDataAs(Job& job, std::string_view chosenPath, Prompter& prompter, Progress* progress = nullptr);

struct SaveAndExitResult {
    bool Quit = false;        // the caller ends the program
    SaveResult Save;          // NothingToSave when quitting with no line loaded
    std::string OutputPrefix; // the output prefix after the command (the input box may have set it)
};

// "Save and Exit": saves the job as output prefix + ".tvn" (asking for a
// prefix when there is none) and tells the caller whether to quit. It does
// not quit when no name is given or the save fails.
SaveAndExitResult SaveAndExit(Job& job, std::string_view outputPrefix, Prompter& prompter,
                              Progress* progress = nullptr);

} // namespace tolvanor
