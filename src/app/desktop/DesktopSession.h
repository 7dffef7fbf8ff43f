// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace tolvanor {
class DataEditor;
class HugePageResource;
class Job;
class Prompter;
class SettingsStore;
} // namespace tolvanor

namespace tolvanor::ui {
class DataEditWindow;
class MainWindow;
class StartingPointsWindow;
} // namespace tolvanor::ui

namespace tolvanor::desktop {

// One run of the desktop program: the job, the profile editor, and the
// windows that show them, created at start-up and kept until the end. The
// program and the window tests build it the same way; the prompter and the
// settings store come from outside, so tests script the one and point the
// other at a temporary file.
class DesktopSession : public QObject {
    Q_OBJECT

public:
    DesktopSession(Prompter& prompter, SettingsStore& settings, QObject* parent = nullptr);
    ~DesktopSession() override;

    Job& GetJob() noexcept { return *job_; }
    DataEditor& Editor() noexcept { return *editor_; }
    ui::MainWindow& Main() noexcept { return *main_; }
    ui::StartingPointsWindow& StartingPoints() noexcept { return *startingPoints_; }
    ui::DataEditWindow& EditWindow() noexcept { return *editWindow_; }

    // Shows the main window; a file from the command line is opened as a
    // dropped one would be.
    void Start(const QString& file = {});

signals:
    // The user ended the program (the main window closed).
    void Finished();

private:
    void ConnectWindows();

    Prompter& prompter_;
    SettingsStore& settings_;
    std::unique_ptr<HugePageResource> rowMemory_;
    std::unique_ptr<Job> job_;
    std::unique_ptr<DataEditor> editor_;
    std::unique_ptr<ui::MainWindow> main_;
    // A child window of the main window, which deletes it.
    ui::StartingPointsWindow* startingPoints_ = nullptr;
    ui::DataEditWindow* editWindow_ = nullptr; // owned by the main window
};

} // namespace tolvanor::desktop
