// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/TemplateOverlay.h"
#include "editor/commands/ThinData.h"

#include <QObject>

#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tolvanor {
class DataEditor;
class Job;
class Prompter;
class SettingsStore;
} // namespace tolvanor

namespace tolvanor::ui {

class CellTextEditor;
class DataEditWindow;

// The editing side of the profile editor: the "Line Actions" and "Shot
// Actions" frames, Undo, the template controls, the "&Edit" and "&Actions"
// menus, the in-place cell editor and the copied-curve drag. Every control
// forwards to one core command and then redraws the window from the core.
class EditActions : public QObject {
    Q_OBJECT
public:
    EditActions(DataEditWindow& window, Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings);

    // Where Thin Data reads the main window's thinning choices.
    void SetThinSource(std::function<ThinSettings()> source) { thinSource_ = std::move(source); }
    CellTextEditor& CellEditor() noexcept { return *cellEditor_; }
    const TemplateOverlay& Template() const noexcept { return template_; }

    // Brings Undo's enabled state and the template box up to date.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildFrames();
    void BuildTemplateControls();
    void BuildMenus();
    void TakeOverShowTemplate();
    void WatchChartAndBoxes();
    QPushButton* AddButton(const char* name, const char* caption, const char* tip);
    // Runs one command, then shows what the core now holds.
    void Run(const std::function<void()>& command, bool busy = false);
    void RunInterpolate();
    void AfterCommand();
    ThinSettings CurrentThinSettings() const;

    DataEditWindow& window_;
    Job& job_;
    DataEditor& editor_;
    Prompter& prompter_;
    SettingsStore& settings_;
    TemplateOverlay template_;
    CellTextEditor* cellEditor_ = nullptr;
    std::function<ThinSettings()> thinSource_;

    QPushButton* cmdDeleteShot_ = nullptr;
    QPushButton* cmdInterpolateElev_ = nullptr;
    QPushButton* cmdUndo_ = nullptr;
    QCheckBox* chkFromAllLines_ = nullptr;
    QLineEdit* txtTemplateFileName_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuShowTemplate_ = nullptr;
    bool fillingTemplateBox_ = false;
};

} // namespace tolvanor::ui
