// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class EditorPlots;
class Job;
class Prompter;
class TemplateOverlay;

// Makes every redraw of the profile charts draw the overlays of the edit
// side after the neighbours: the template when "Show Template" is on, then
// the copied curve when more than one shot is copied. All five must outlive
// the plots (or the painter be replaced).
void InstallEditOverlays(EditorPlots& plots, Job& job, DataEditor& editor, Prompter& prompter,
                         const TemplateOverlay& templateOverlay);

} // namespace tolvanor
