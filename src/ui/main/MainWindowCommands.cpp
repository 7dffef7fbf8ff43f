// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: each gathers the controls into the core's
// options and calls the core command, then shows what changed.
#include "ui/main/MainWindow.h"

#include "core/Job.h"
#include "core/MainSettings.h"
#include "core/SettingsStore.h"
#include "editor/DataEditor.h"
#include "input/LoadCommands.h"
#include "input/SaveCommands.h"
#include "input/SourceFileDialog.h"
#include "output/GenerateOutput.h"
#include "output/OutputFolderTools.h"
#include "startpoints/StartingPointCommands.h"
#include "ui/common/BusyCursorGuard.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/ProgressDialog.h"
#include "ui/common/QtText.h"
#include "ui/main/SkippedLinesDialog.h"
#include "ui/main/SourceViewerWindow.h"
#include "ui/main/ViewSourceData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStorageInfo>

namespace tolvanor::ui {
namespace {

// Marks the window busy for one command, so nothing starts a second one
// while the first lets paint events through.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

void SetFileBox(QLineEdit* box, const std::string& path) {
    box->setText(PathToQt(path));
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

// Root folders of the mounted volumes a user would write to.
std::vector<std::string> OutputVolumes() {
#ifdef _WIN32
    return {}; // drive letters: the input box asks for one
#else
    std::vector<std::string> roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = volume.rootPath();
        const bool device = volume.device().startsWith("/dev/");
        if (root != QDir::rootPath() && !device) continue;
        if (root.startsWith(QLatin1String("/boot")) || root.startsWith(QLatin1String("/snap"))) continue;
        roots.push_back(PathFromQt(root));
    }
    if (roots.empty()) roots.push_back(PathFromQt(QDir::rootPath()));
    return roots;
#endif
}

QString LoadStatus(const Job& job, const LoadResult& result) {
    return QStringLiteral("%1 lines loaded (%2 shots read).").arg(job.LineCount).arg(result.RecordsStored);
}

} // namespace

void MainWindow::SelectInputFile() {
    const auto request =
        SourceFileRequest(controls_.cboDataType->currentIndex(), PathFromQt(controls_.txtSourceFileName->text()));
    const std::string chosen = prompter_.OpenFile(request);
    if (chosen.empty()) return;
    SetFileBox(controls_.txtSourceFileName, chosen);
    settings_.Save(SettingsKey::SourceFileName, chosen);
}

void MainWindow::NewFile() {
    RunLoad(true);
}

void MainWindow::AppendData() {
    RunLoad(false);
}

void MainWindow::RunLoad(bool newFile) {
    if (busy_) return;
    BusyScope busy(busy_);
    BusyCursorGuard cursor;
    const ReadOptions options = CurrentReadOptions();
    ProgressDialog progress(this, QStringLiteral("Reading %1").arg(PathToQt(options.SourceFileName)));
    const LoadResult result = newFile ? tolvanor::NewFile(job_, options, prompter_, &progress)
                                      : tolvanor::AppendData(job_, options, prompter_, &progress);
    if (newFile && result.Outcome != LoadOutcome::Cancelled) {
        editor_.ClearProfileList();
        emit JobCleared();
    }
    if (result.Outcome != LoadOutcome::Loaded) {
        if (result.Outcome != LoadOutcome::Cancelled) statusBar()->showMessage(LoadStatus(job_, result));
        return;
    }
    progress.SetLabel(QStringLiteral("Preparing the lines for the editor"));
    const MergeReport merged = editor_.RefreshDataEdit(&progress);
    statusBar()->showMessage(LoadStatus(job_, result) + QLatin1Char(' ') +
                             TextToQt(MergeSummaryText(merged, CountStartingPoints(job_))));
    emit EditorWindowRequested();
}

void MainWindow::ShowEditWindow() {
    if (editorWindow_ && editorWindow_->isMinimized()) {
        editorWindow_->showNormal();
        return;
    }
    if (job_.LineCount == 0) {
        prompter_.Message(
            MessageRequest{"Please load a source file", "", MessageButtons::Ok, MessageIcon::Exclamation});
        return;
    }
    if (busy_) return;
    {
        BusyScope busy(busy_);
        BusyCursorGuard cursor;
        ProgressDialog progress(this, QStringLiteral("Preparing the lines for the editor"));
        editor_.RefreshDataEdit(&progress);
    }
    emit EditorWindowRequested();
}

void MainWindow::ViewSource() {
    if (viewer_ == nullptr) viewer_ = new SourceViewerWindow(prompter_, this);
    ViewSourceData(controls_.txtSourceFileName->text(), prompter_, *viewer_);
}

void MainWindow::SelectStartingPointFile() {
    const std::string chosen =
        prompter_.OpenFile(StartingPointFileRequest(PathFromQt(controls_.txtStartingPointFile->text())));
    if (chosen.empty()) return;
    SetFileBox(controls_.txtStartingPointFile, chosen);
    settings_.Save(SettingsKey::StartingPoint, chosen);
    emit StartingPointFileNamed(controls_.txtStartingPointFile->text());
}

void MainWindow::CreateStartingPointFile() {
    emit StartingPointEditorRequested(controls_.txtStartingPointFile->text());
}

void MainWindow::MergeStartingPoints() {
    if (busy_) return;
    std::optional<MergeReport> report;
    {
        BusyScope busy(busy_);
        BusyCursorGuard cursor;
        report = MergeStartingPointsCommand(job_, PathFromQt(controls_.txtStartingPointFile->text()),
                                            controls_.mnuFormatProfileNumbers->isChecked(), prompter_);
    }
    if (!report) return;
    ShowMergeResult(*report, true);
    emit JobChanged();
}

void MainWindow::ShowMergeResult(const MergeReport& report, bool listSkipped) {
    statusBar()->showMessage(TextToQt(MergeSummaryText(report, CountStartingPoints(job_))));
    if (!listSkipped || ListedSkips(report) == 0) return;
    QStringList lines;
    for (const auto& skipped : report.Skipped) {
        const std::string text = SkippedLineText(skipped);
        if (!text.empty()) lines.append(TextToQt(text));
    }
    auto* dialog = findChild<SkippedLinesDialog*>();
    if (dialog == nullptr) dialog = new SkippedLinesDialog(this);
    dialog->ShowLines(controls_.txtStartingPointFile->text(), lines);
}

void MainWindow::SelectOutputFolder() {
    const std::string chosen = prompter_.BrowseFolder(OutputFolderRequest(PathFromQt(OutputFolder())));
    if (!chosen.empty()) SetOutputFolder(PathToQt(chosen));
}

void MainWindow::FilePrefix() {
    const auto prefix = AskOutputPrefix(prompter_);
    if (!prefix) return;
    controls_.txtOutputPrefix->setText(TextToQt(*prefix));
    settings_.Save(SettingsKey::OutputPrefix, *prefix);
}

void MainWindow::NewFolder() {
    const auto folder = NewOutputFolder(PathFromQt(OutputFolder()), prompter_);
    if (folder) SetOutputFolder(PathToQt(*folder));
}

void MainWindow::ChangeDrive() {
    const auto root = ChangeOutputDrive(prompter_, OutputVolumes());
    if (root) SetOutputFolder(PathToQt(*root));
}

void MainWindow::SelectTemplateFile() {
    const std::string chosen = prompter_.OpenFile(TemplateFileRequest(PathFromQt(controls_.txtTemplateFile->text())));
    if (chosen.empty()) return;
    SetFileBox(controls_.txtTemplateFile, chosen);
    settings_.Save(SettingsKey::TemplateFile, chosen);
}

void MainWindow::GenerateOutput() {
    if (busy_) return;
    GenerateResult result;
    {
        BusyScope busy(busy_);
        BusyCursorGuard cursor;
        ProgressDialog progress(this, QStringLiteral("Writing the output files"));
        result = tolvanor::GenerateOutput(job_, CurrentGenerateOptions(), outputEditor_, prompter_, &progress);
    }
    if (result.Status == GenerateStatus::Refused) return;
    statusBar()->showMessage(QStringLiteral("%1 output files written.").arg(result.FilesWritten.size()));
    emit JobChanged();
}

void MainWindow::SaveData() {
    if (busy_) return;
    SaveResult result;
    {
        BusyScope busy(busy_);
        ProgressDialog progress(this, QStringLiteral("Saving the job"));
        result = tolvanor::SaveData(job_, prompter_, &progress);
    }
    if (result.Outcome == SaveOutcome::Saved) {
        statusBar()->showMessage(QStringLiteral("Job saved as %1").arg(PathToQt(result.Path)));
    }
}

void MainWindow::SaveAndExit() {
    if (busy_) return;
    SaveAndExitResult result;
    {
        BusyScope busy(busy_);
        ProgressDialog progress(this, QStringLiteral("Saving the job"));
        result = tolvanor::SaveAndExit(job_, TextFromQt(controls_.txtOutputPrefix->text()), prompter_, &progress);
    }
    controls_.txtOutputPrefix->setText(TextToQt(result.OutputPrefix));
    if (!result.Quit) return;
    quitting_ = true;
    close();
}

void MainWindow::Quit() {
    close();
}

bool MainWindow::ConfirmQuit() {
    if (!job_.DataChanged) return true;
    const MessageRequest question{
        "Data has changed but you have not saved your work.\rDo you want to quit without saving?", "",
        MessageButtons::YesNo, MessageIcon::Exclamation, DefaultButton::Second};
    return prompter_.Message(question) == MessageAnswer::Yes;
}

void MainWindow::ShowHelp() {
    ShowUserGuide(this);
}

void MainWindow::ShowAboutBox() {
    ShowAbout(this);
}

} // namespace tolvanor::ui
