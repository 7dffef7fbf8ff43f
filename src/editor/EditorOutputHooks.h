// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/GenerateOutput.h"

namespace tolvanor {

class DataEditor;

// The output command's view of the profile editor. The window's visibility
// is kept here; the window sets it and follows it.
class EditorOutputHooks : public OutputEditor {
public:
    explicit EditorOutputHooks(DataEditor& editor, bool visible = false) : editor_(editor), visible_(visible) {}

    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    int SelectedProfileIndex() const override;
    void SelectProfile(int index) override;
    void LoadArray() override;
    void ShowListedProfile() override;

private:
    DataEditor& editor_;
    bool visible_;
};

} // namespace tolvanor
