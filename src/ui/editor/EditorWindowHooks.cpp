// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/EditorWindowHooks.h"

#include "editor/DataEditor.h"
#include "editor/EditorOutputHooks.h"
#include "ui/editor/DataEditWindow.h"

namespace tolvanor::ui {

bool EditorWindowHooks::IsVisible() const {
    return window_.isVisible();
}

void EditorWindowHooks::SetVisible(bool visible) {
    if (visible) {
        window_.ShowEditor();
    } else {
        window_.hide();
    }
}

int EditorWindowHooks::SelectedProfileIndex() const {
    return window_.Editor().ProfileIndex();
}

void EditorWindowHooks::SelectProfile(int index) {
    window_.Editor().SelectProfile(index);
    window_.SyncFromCore();
}

void EditorWindowHooks::LoadArray() {
    window_.Editor().LoadArray();
    window_.SyncFromCore();
}

void EditorWindowHooks::ShowListedProfile() {
    EditorOutputHooks(window_.Editor()).ShowListedProfile();
    window_.SyncFromCore();
}

} // namespace tolvanor::ui
