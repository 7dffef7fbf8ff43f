// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/ViewSourceData.h"

#include "core/Prompter.h"
#include "input/SourceViewing.h"
#include "ui/common/QtText.h"
#include "ui/main/SourceViewerWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tolvanor::ui {
namespace {

constexpr bool OnWindows =
#ifdef Q_OS_WIN
    true;
#else
    false;
#endif

// Job files open in the system's plain text editor, where it has one.
QString TextEditorProgram() {
    return QStandardPaths::findExecutable("notepad.exe");
}

constexpr QFileDevice::Permissions NormalPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;

// Copies the source over the temporary copy, which is left writable before
// and after so the next copy can replace it. The path of the copy, or the
// source itself when the copy cannot be made (the viewer then shows the
// source directly).
QString RefreshTemporaryCopy(const QString& sourceFile) {
    const QString copy = QDir(QDir::tempPath()).filePath(QString::fromLatin1(SourceCopyName));
    if (QFile::exists(copy)) {
        QFile::setPermissions(copy, NormalPermissions);
        QFile::remove(copy);
    }
    if (!QFile::copy(sourceFile, copy)) return sourceFile;
    QFile::setPermissions(copy, NormalPermissions);
    return copy;
}

void ShowInViewer(SourceViewerWindow& viewer, const QString& textFile, const QString& sourceFile) {
    viewer.Load(textFile, sourceFile);
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
}

} // namespace

bool OpenWithAssociatedProgram(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}

void ViewSourceData(const QString& sourceFile, Prompter& prompter, SourceViewerWindow& viewer,
                    const SystemOpener& open) {
    const std::string path = PathFromQt(sourceFile);
    const QString editor = TextEditorProgram();
    const QFileInfo info(sourceFile);
    switch (ChooseSourceViewRoute(path, info.exists() && info.isFile(), !editor.isEmpty())) {
    case SourceViewRoute::NoFile:
        prompter.Message(NoValidSourceFileMessage);
        return;
    case SourceViewRoute::TextEditor: {
        const QString copy = RefreshTemporaryCopy(sourceFile);
        if (QProcess::startDetached(editor, {sourceFile})) return;
        prompter.Message(NoAssociatedProgramMessage(OnWindows));
        ShowInViewer(viewer, copy, sourceFile);
        return;
    }
    case SourceViewRoute::AssociatedProgram: {
        const QString copy = RefreshTemporaryCopy(sourceFile);
        if (open(sourceFile)) return;
        prompter.Message(NoAssociatedProgramMessage(OnWindows));
        ShowInViewer(viewer, copy, sourceFile);
        return;
    }
    case SourceViewRoute::InternalViewer:
        ShowInViewer(viewer, RefreshTemporaryCopy(sourceFile), sourceFile);
        return;
    }
}

} // namespace tolvanor::ui
