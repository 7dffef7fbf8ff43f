// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorOutputHooks.h"

#include "editor/DataEditor.h"

namespace tolvanor {

int EditorOutputHooks::SelectedProfileIndex() const {
    return editor_.ProfileIndex();
}

void EditorOutputHooks::SelectProfile(int index) {
    editor_.SelectProfile(index);
}

void EditorOutputHooks::LoadArray() {
    editor_.LoadArray();
}

void EditorOutputHooks::ShowListedProfile() {
    const auto line = editor_.FindLineByProfileId(editor_.ProfileText());
    editor_.PlotData(line);
    editor_.ArrayToGrid(line);
}

} // namespace tolvanor
