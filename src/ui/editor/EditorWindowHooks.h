// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/GenerateOutput.h"

namespace tolvanor::ui {

class DataEditWindow;

// The output command's editor steps on the real window: visibility is the
// window's, and every step leaves the window showing what the core holds.
class EditorWindowHooks : public OutputEditor {
public:
    explicit EditorWindowHooks(DataEditWindow& window) : window_(window) {}

    bool IsVisible() const override;
    void SetVisible(bool visible) override;
    int SelectedProfileIndex() const override;
    void SelectProfile(int index) override;
    void LoadArray() override;
    void ShowListedProfile() override;

private:
    DataEditWindow& window_;
};

} // namespace tolvanor::ui
