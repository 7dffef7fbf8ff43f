// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/EditorWindowHooks.h"

#include "editor/DataEditor.h"
#include "editor/EditorOutputHooks.h"
#include "ui/common/ProgressDialog.h"
#include "ui/editor/DataEditWindow.h"

#include <QApplication>

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

// The whole-job pass after normalizing on output takes seconds on a full
// job: it shows its progress and keeps the windows painted meanwhile.
void EditorWindowHooks::LoadArray() {
    {
        QWidget* owner = window_.isVisible() ? &window_ : QApplication::activeWindow();
        ProgressDialog progress(owner, QStringLiteral("Preparing the lines for the editor"));
        window_.Editor().LoadArray(&progress);
    }
    window_.SyncFromCore();
}

void EditorWindowHooks::ShowListedProfile() {
    EditorOutputHooks(window_.Editor()).ShowListedProfile();
    window_.SyncFromCore();
}

} // namespace tolvanor::ui
