// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

class EditorPlots;
class Job;
class Prompter;
class SettingsStore;
struct PlotOptions;

// The template controls: the template file box, "Select Template File" and
// the "Show Template" switch, and the drawing of the matching template over
// the current line's profile (the "Template" overlay, a dashed line).
class TemplateOverlay {
public:
    // The file box's text.
    const std::string& FileName() const noexcept { return fileName_; }
    // The box's text changed (also when filled at load): an empty name or a
    // missing file switches the template off, a missing file with the message
    // "This Template file does not exist, please select a valid template file."
    void SetFileName(std::string path, Prompter& prompter, PlotOptions& options);
    // Reads "TemplateFileName" into the box at load (validated as above).
    void Load(const SettingsStore& settings, Prompter& prompter, PlotOptions& options);
    // "Select Template File": the chosen file goes into the box and the
    // settings. False when the dialog was cancelled.
    bool SelectFile(Prompter& prompter, SettingsStore& settings, PlotOptions& options);

    // "Show Template": flips and saves the switch. Switching it off while
    // chart edits are not stored asks "Do you want to save your changes to
    // the Elevations?"; Yes stores them ("Update Grid"). Then redraws.
    void ToggleShow(EditorPlots& plots, SettingsStore& settings, Prompter& prompter);

    // Draws the current line's template on the profile chart. A missing
    // file says "Selected file name does not exist."; no match draws nothing.
    // Returns the number of points drawn.
    std::size_t Draw(EditorPlots& plots, const Job& job, bool threeDigits, Prompter& prompter) const;

private:
    std::string fileName_;
};

} // namespace tolvanor
