// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/CellEditSession.h"
#include "editor/TitleSort.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tolvanor {
class DataEditor;
class Job;
class Prompter;
} // namespace tolvanor

namespace tolvanor::ui {

// The grid's own reactions: the in-place editor `txtCellText` laid over the
// current cell, the title-click sort and the enabling of the two shot
// buttons that depend on the current cell. The core session decides what
// every key and close does; this only shows its text box and forwards.
class CellTextEditor : public QObject {
    Q_OBJECT
public:
    CellTextEditor(QTableView& grid, Job& job, DataEditor& editor, Prompter& prompter, QObject* parent);

    QLineEdit* TextBox() const noexcept { return txtCellText_; }
    // The buttons a grid click or a cell change enables or disables.
    void SetShotButtons(QPushButton* deleteShot, QPushButton* interpolate);
    // Called after every close that stored or restored, so the window redraws.
    void SetOnClosed(std::function<void()> closed) { onClosed_ = std::move(closed); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnGridKey(int key);
    bool OnEditorKey(QKeyEvent* event);
    bool OnEditorShortcut(QKeyEvent* event);
    void OpenAt(int key);
    void OnFocusLeft();
    void OnCurrentCellChanged();
    void Finish(bool giveGridFocus);

    QTableView& grid_;
    // Kept apart: events still reach the filter while the grid is being destroyed.
    QWidget* gridViewport_ = nullptr;
    Job& job_;
    DataEditor& editor_;
    Prompter& prompter_;
    CellEditSession session_;
    TitleSort titles_;
    QLineEdit* txtCellText_ = nullptr;
    QPushButton* cmdDeleteShot_ = nullptr;
    QPushButton* cmdInterpolateElev_ = nullptr;
    std::function<void()> onClosed_;
    bool closing_ = false;
};

} // namespace tolvanor::ui
