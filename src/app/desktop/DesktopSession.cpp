// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopSession.h"

#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "editor/DataEditor.h"
#include "ui/editor/DataEditWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/startpoints/StartingPointsWindow.h"

#include <QTimer>

namespace tolvanor::desktop {

DesktopSession::DesktopSession(Prompter& prompter, SettingsStore& settings, QObject* parent)
    : QObject(parent), prompter_(prompter), settings_(settings), rowMemory_(std::make_unique<HugePageResource>()),
      job_(std::make_unique<Job>(Job::DefaultMaxLines, Job::DefaultMaxShots, rowMemory_.get())),
      editor_(std::make_unique<DataEditor>(*job_, prompter_)),
      main_(std::make_unique<ui::MainWindow>(*job_, *editor_, prompter_, settings_)) {
    // Created once and then only shown and hidden, so its entries outlive a Quit.
    startingPoints_ = new ui::StartingPointsWindow(prompter_, editor_->Options(), main_.get());
    editWindow_ = new ui::DataEditWindow(*job_, *editor_, prompter_, settings_, main_.get());
    main_->SetOutputEditor(&editWindow_->OutputHooks());
    main_->SetEditorWindow(editWindow_);
    ConnectWindows();
}

// The windows go before the editor and the job they show.
DesktopSession::~DesktopSession() {
    main_.reset();
    editor_.reset();
    job_.reset();
}

void DesktopSession::ConnectWindows() {
    connect(main_.get(), &ui::MainWindow::QuitRequested, this, &DesktopSession::Finished);
    connect(main_.get(), &ui::MainWindow::StartingPointEditorRequested, startingPoints_,
            &ui::StartingPointsWindow::ShowEditor);
    connect(main_.get(), &ui::MainWindow::StartingPointFileNamed, startingPoints_,
            &ui::StartingPointsWindow::SetStartingPointPath);
    connect(main_.get(), &ui::MainWindow::EditorWindowRequested, editWindow_, &ui::DataEditWindow::ShowEditor);
    connect(main_.get(), &ui::MainWindow::JobCleared, editWindow_, &ui::DataEditWindow::ClearJob);
    connect(main_.get(), &ui::MainWindow::JobChanged, editWindow_, &ui::DataEditWindow::RedrawJob);
}

void DesktopSession::Start(const QString& file) {
    main_->show();
    // The file opens once the event loop runs, so its progress can show.
    if (!file.isEmpty()) QTimer::singleShot(0, main_.get(), [this, file] { main_->OpenFromOutside(file); });
}

} // namespace tolvanor::desktop
