// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopSession.h"

#include "app/common/HugePageResource.h"
#include "core/Job.h"
#include "editor/DataEditor.h"
#include "ui/main/MainWindow.h"

#include <QTimer>

namespace tolvanor::desktop {

DesktopSession::DesktopSession(Prompter& prompter, SettingsStore& settings, QObject* parent)
    : QObject(parent), prompter_(prompter), settings_(settings), rowMemory_(std::make_unique<HugePageResource>()),
      job_(std::make_unique<Job>(Job::DefaultMaxLines, Job::DefaultMaxShots, rowMemory_.get())),
      editor_(std::make_unique<DataEditor>(*job_, prompter_)),
      main_(std::make_unique<ui::MainWindow>(*job_, *editor_, prompter_, settings_)) {
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
    // The editor window and the starting-point window connect here:
    // EditorWindowRequested, JobCleared and JobChanged to the editor window,
    // StartingPointEditorRequested and StartingPointFileNamed to the
    // starting-point window.
}

void DesktopSession::Start(const QString& file) {
    main_->show();
    // The file opens once the event loop runs, so its progress can show.
    if (!file.isEmpty()) QTimer::singleShot(0, main_.get(), [this, file] { main_->OpenFromOutside(file); });
}

} // namespace tolvanor::desktop
