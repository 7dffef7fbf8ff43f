// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "startpoints/StartingPointEditor.h"

#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tolvanor {
class Prompter;
struct EditorOptions;
} // namespace tolvanor

namespace tolvanor::ui {

class StartingPointTableModel;

// frmStartingPoints, "Starting Point File ": the grid of starting points
// with the four edit boxes beneath it. Created once and then only shown and
// hidden, so its entries stay while it is hidden. Every command goes to the
// core's StartingPointEditor; the window forwards events and draws.
class StartingPointsWindow : public QWidget {
    Q_OBJECT

public:
    // `options` are the main window's (the three-digit option is read at
    // every command that takes in a profile number).
    StartingPointsWindow(Prompter& prompter, const EditorOptions& options, QWidget* parent = nullptr);
    ~StartingPointsWindow() override;

    StartingPointEditor& Editor() noexcept { return editor_; }

    QTableView* Grid() const noexcept { return grid_; }
    QLineEdit* EditBox(int box) const { return edits_.at(static_cast<std::size_t>(box)); }

public slots:
    // Create/Edit Starting Point File: shows the window (not modal) and
    // brings it to the front; the open dialog starts from `currentFile`.
    void ShowEditor(const QString& currentFile);
    // The main window's starting-point file was named: the open dialog starts there.
    void SetStartingPointPath(const QString& file);

    void AddNewEntry();
    void ReplaceData();
    void DeleteEntry();
    void ClearEditData();
    void Open();
    void Save();
    void Quit();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    QWidget* BuildGridAndBoxes();
    QWidget* BuildButtons();
    QWidget* BuildCurrentFile();
    void SetTabOrder();
    void ConnectCommands();
    void RowChosen(int tableRow);
    void AfterEntry(const EntryResult& result);
    // Runs a command of the editor, then draws.
    template <typename Command> void Run(Command command);
    // Draws the editor's state: boxes, check boxes, current file, current row, highlight.
    void Draw();
    bool FormatProfileNumbers() const;

    StartingPointEditor editor_;
    const EditorOptions& options_;
    StartingPointTableModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    std::array<QLineEdit*, StartingPointEditor::BoxCount> edits_{};
    QPushButton* add_ = nullptr;
    QPushButton* replace_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* clear_ = nullptr;
    QCheckBox* keepAngle_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* quit_ = nullptr;
    QLineEdit* currentFile_ = nullptr;
    QCheckBox* saved_ = nullptr;
    // Set while a command runs or the window draws, so the view's own
    // changes are not taken as the user's.
    bool quiet_ = false;
};

} // namespace tolvanor::ui
