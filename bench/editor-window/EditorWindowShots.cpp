// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a job in the profile editor and saves pictures of the window in its
// three arrangements, for looking at the layout:
//   editor_window_shots JOB.tvn STARTPOINTS.spf OUTPUT-PREFIX [width height]
#include "BenchJob.h"
#include "core/MemorySettingsStore.h"
#include "editor/DataEditor.h"
#include "input/LoadCommands.h"
#include "ui/editor/DataEditWindow.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

namespace {

using namespace tolvanor;
using tolvanor::bench::BenchPrompter;

void Save(ui::DataEditWindow& window, const QString& file) {
    QTest::qWait(200);
    window.SyncFromCore();
    window.grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: editor_window_shots JOB.tvn STARTPOINTS.spf OUTPUT-PREFIX [width height]\n");
        return 2;
    }
    Job job;
    BenchPrompter prompter;
    MemorySettingsStore settings;
    settings.Save("WindowState", "0");
    DataEditor editor(job, prompter);
    ui::DataEditWindow window(job, editor, prompter, settings);
    ReadOptions options;
    options.SourceFileName = argv[1];
    options.DataType = 5;
    if (NewFile(job, options, prompter).Outcome != LoadOutcome::Loaded) return 1;
    editor.Options().StartingPointFile = argv[2];
    editor.RefreshDataEdit();
    window.ShowEditor();
    const int width = argc > 5 ? std::atoi(argv[4]) : 1280;
    const int height = argc > 5 ? std::atoi(argv[5]) : 860;
    window.resize(width, height);
    editor.NextLine();
    editor.SetPlotLineSelected(3, true);
    editor.PlotData(0);
    const QString prefix = argv[3];
    Save(window, prefix + "-normal.png");
    window.findChild<QAction*>("mnuShowBigPlot")->trigger();
    Save(window, prefix + "-bigplot.png");
    window.findChild<QAction*>("mnuShowBigPlot")->trigger();
    window.findChild<QAction*>("mnuShowControls")->trigger();
    Save(window, prefix + "-nocontrols.png");
    return 0;
}
