// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main/MainControls.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLineEdit;
class QDragEnterEvent;
class QDropEvent;

namespace tolvanor {
class DataEditor;
class Job;
class OutputEditor;
class Prompter;
class SettingsStore;
struct GenerateOptions;
struct MainSettings;
struct MergeReport;
struct ReadOptions;
} // namespace tolvanor

namespace tolvanor::ui {

class SourceViewerWindow;

// frmTolvaMain, "Tolvanor": the control panel of a job. The controls hold
// the user's choices (each remembers its own setting as it changes); the
// commands gather them into the core's option structs and call the core.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sets the option controls from the settings store (run once, at load).
    void SetDefaults();

    // The controls by their names, for the session and the tests.
    const MainControls& Controls() const noexcept { return controls_; }

    // The output command's view of the editor window (visibility, profile
    // list); without one the window uses hooks on the editor alone.
    void SetOutputEditor(OutputEditor* editor) noexcept { outputEditor_ = editor; }
    // The editor window, so Show Edit Window can restore it when minimized.
    void SetEditorWindow(QWidget* window) noexcept { editorWindow_ = window; }

    // A file named on the command line or dropped on the window: into the
    // source box, the data type from its extension where that is clear, then
    // New File.
    void OpenFromOutside(const QString& file);

    // The options of the moment, as the commands pass them to the core.
    ReadOptions CurrentReadOptions() const;
    GenerateOptions CurrentGenerateOptions() const;
    // The output folder the folder list shows.
    QString OutputFolder() const;
    void SetOutputFolder(const QString& folder);

public slots:
    void SelectInputFile();
    void NewFile();
    void AppendData();
    void ShowEditWindow();
    void ViewSource();
    void SelectStartingPointFile();
    void CreateStartingPointFile();
    void MergeStartingPoints();
    void SelectOutputFolder();
    void FilePrefix();
    void NewFolder();
    void ChangeDrive();
    void SelectTemplateFile();
    void GenerateOutput();
    void SaveData();
    void SaveAndExit();
    void Quit();
    void ShowHelp();
    void ShowAboutBox();

signals:
    // Show Edit Window, and after a load that left lines in the job (the
    // editor has been refreshed).
    void EditorWindowRequested();
    // Create/Edit Starting Point File, with the starting-point box's file.
    void StartingPointEditorRequested(const QString& currentFile);
    // The starting-point box was clicked or left: its file name.
    void StartingPointFileNamed(const QString& file);
    // The user asked to end the program and nothing stands in the way.
    void QuitRequested();
    // New File emptied the job (the editor drops what it showed).
    void JobCleared();
    // Lines changed outside the editor (merge, output processing): the
    // editor window redraws what it shows.
    void JobChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommands();
    void ConnectSettings();
    void InstallTextBoxRules();
    void BindListSetting(QComboBox* list, std::string_view key);
    void BindCheckSetting(QCheckBox* box, std::string_view key);
    void ApplySettings(const MainSettings& values);
    void RunLoad(bool newFile);
    void UpdateEditorOptions();
    void UpdateElevChangeEnabled();
    void UpdatePreview();
    void UpdateTabButtons();
    void ShowMergeResult(const MergeReport& report, bool listSkipped);
    bool ConfirmQuit();
    bool TextBoxEvent(QLineEdit* edit, QEvent* event);
    void SaveSetting(std::string_view key, const QString& value);

    Job& job_;
    DataEditor& editor_;
    Prompter& prompter_;
    SettingsStore& settings_;
    MainControls controls_;
    OutputEditor* outputEditor_ = nullptr;
    std::unique_ptr<OutputEditor> ownHooks_;
    QPointer<QWidget> editorWindow_;
    SourceViewerWindow* viewer_ = nullptr;
    bool settingsReady_ = false; // folder changes before SetDefaults are not remembered
    bool busy_ = false;          // a command runs (and lets paint events through)
    bool quitting_ = false;      // Save and Exit saved: close without asking
    bool checkingThinInc_ = false;
};

} // namespace tolvanor::ui
