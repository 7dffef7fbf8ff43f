// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TemplateOverlay.h"

#include "core/Job.h"
#include "core/Prompter.h"
#include "core/SettingsStore.h"
#include "editor/EditorPlots.h"
#include "editor/TemplateFile.h"
#include "processing/FieldHelpers.h"

#include <vector>

namespace tolvanor {

namespace {

constexpr std::string_view TemplateCurveName = "Template";
// Dark green (blue-green-red order): in the data curves' blue the dashed
// design line was hard to tell from the survey it lies on.
constexpr std::int32_t TemplateColour = 0x008C00;

bool IsLineInUse(const Job& job, std::int32_t line) {
    return line >= 1 && line <= job.LineCount && line <= job.Data.LineBound();
}

} // namespace

void TemplateOverlay::SetFileName(std::string path, Prompter& prompter, PlotOptions& options) {
    fileName_ = std::move(path);
    if (fileName_.empty()) {
        options.ShowTemplate = false;
        return;
    }
    if (!FileExists(fileName_)) {
        prompter.Message("This Template file does not exist, please select a valid template file.");
        options.ShowTemplate = false;
    }
}

void TemplateOverlay::Load(const SettingsStore& settings, Prompter& prompter, PlotOptions& options) {
    SetFileName(settings.Get("TemplateFileName"), prompter, options);
}

bool TemplateOverlay::SelectFile(Prompter& prompter, SettingsStore& settings, PlotOptions& options) {
    FileDialogRequest request;
    request.Title = "Select Template File";
    request.Filter = "Template Files (*.tvt)|*.tvt";
    request.DefaultExtension = "tvt";
    request.InitialPath = fileName_;
    auto path = prompter.OpenFile(request);
    if (path.empty()) return false;
    settings.Save("TemplateFileName", path);
    SetFileName(std::move(path), prompter, options);
    return true;
}

void TemplateOverlay::ToggleShow(EditorPlots& plots, SettingsStore& settings, Prompter& prompter) {
    auto& options = plots.Options();
    options.ShowTemplate = !options.ShowTemplate;
    settings.Save("ShowTemplate", options.ShowTemplate ? "True" : "False");
    if (!options.ShowTemplate && plots.PlotToGridVisible()) {
        MessageRequest question;
        question.Text = "Do you want to save your changes to the Elevations?";
        question.Buttons = MessageButtons::YesNo;
        if (prompter.Message(question) == MessageAnswer::Yes) plots.PlotToGrid();
    }
    plots.PlotData(0);
}

std::size_t TemplateOverlay::Draw(EditorPlots& plots, const Job& job, bool threeDigits, Prompter& prompter) const {
    if (!FileExists(fileName_)) {
        prompter.Message("Selected file name does not exist.");
        return 0;
    }
    if (!IsLineInUse(job, job.CurrentLine)) return 0;
    const auto lookup = LoadTemplate(fileName_, LineTemplateKey(job.LineName(job.CurrentLine)), threeDigits);
    if (lookup.Status != TemplateStatus::Found || lookup.Points.Count() == 0) return 0;
    const std::vector<double> x(lookup.Points.Distance.begin(), lookup.Points.Distance.end());
    const std::vector<double> y(lookup.Points.Elevation.begin(), lookup.Points.Elevation.end());
    auto& chart = plots.Chart(PlotId::Elevation);
    chart.RemoveOverlay(TemplateCurveName);
    auto& curve = chart.AddOverlay(TemplateCurveName, x, y, TemplateColour);
    curve.Dashed = true;
    chart.Notify(ChartCurvesChanged | ChartStyleChanged);
    return lookup.Points.Count();
}

} // namespace tolvanor
