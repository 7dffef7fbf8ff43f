// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditOverlays.h"

#include "core/Job.h"
#include "editor/CopiedCurve.h"
#include "editor/DataEditor.h"
#include "editor/EditorPlots.h"
#include "editor/TemplateOverlay.h"
#include "editor/Undo.h"

namespace tolvanor {

void InstallEditOverlays(EditorPlots& plots, Job& job, DataEditor& editor, Prompter& prompter,
                         const TemplateOverlay& templateOverlay) {
    plots.SetOverlayPainter([&job, &editor, &prompter, &templateOverlay](EditorPlots& painted) {
        // Copy switches the profile's cursors off; a redraw brings them back,
        // or no other stretch could be chosen, copied or edited on the chart.
        painted.Chart(PlotId::Elevation).SetCursorsOn(true);
        if (painted.Options().ShowTemplate) {
            templateOverlay.Draw(painted, job, editor.Options().FormatProfileNumbers, prompter);
        }
        if (editor.Copied().Count() > 1) ShowCopiedData(editor, painted);
    });
    plots.SetUndoSnapshot([&job, &editor] { StoreUndo(job, editor); });
}

} // namespace tolvanor
