// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/QtPrompter.h"

#include "ui/common/FileFilter.h"
#include "ui/common/QtText.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

namespace tolvanor::ui {

QMessageBox::Icon QtMessageIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtMessageButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton QtDefaultButton(MessageButtons buttons, DefaultButton choice) {
    switch (DefaultAnswer(buttons, choice)) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

QString DialogTitle(const std::string& title) {
    return title.empty() ? QString::fromLatin1(QtPrompter::ApplicationTitle) : TextToQt(title);
}

namespace {

// Escape gives the answer a closed box means: Cancel, else No, else OK.
QMessageBox::StandardButton EscapeButton(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// The folder the dialog opens in and the file it preselects.
void StartAt(QFileDialog& dialog, const std::string& initialPath) {
    if (initialPath.empty()) return;
    const QFileInfo info(PathToQt(initialPath));
    if (info.isDir()) {
        dialog.setDirectory(info.absoluteFilePath());
        return;
    }
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
}

std::string RunFileDialog(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, DialogTitle(request.Title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.Filter.empty()) dialog.setNameFilter(QtFileFilter(TextToQt(request.Filter)));
    if (!request.DefaultExtension.empty()) dialog.setDefaultSuffix(TextToQt(request.DefaultExtension));
    StartAt(dialog, request.InitialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return PathFromQt(dialog.selectedFiles().constFirst());
}

} // namespace

QWidget* QtPrompter::Owner() const {
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

MessageAnswer QtPrompter::Message(const MessageRequest& request) {
    QMessageBox box(QtMessageIcon(request.Icon), DialogTitle(request.Title), WithQtLineBreaks(TextToQt(request.Text)),
                    QtMessageButtons(request.Buttons), Owner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QtDefaultButton(request.Buttons, request.Default));
    box.setEscapeButton(EscapeButton(request.Buttons));
    box.exec();
    const auto* clicked = box.clickedButton();
    if (clicked == nullptr) return AnswerOf(EscapeButton(request.Buttons));
    return AnswerOf(box.standardButton(const_cast<QAbstractButton*>(clicked)));
}

std::string QtPrompter::Input(const InputRequest& request) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(Owner(), DialogTitle(request.Title), WithQtLineBreaks(TextToQt(request.Prompt)),
                              QLineEdit::Normal, TextToQt(request.DefaultText), &accepted);
    return accepted ? TextFromQt(text) : std::string();
}

std::string QtPrompter::Choose(const ChoiceRequest& request) {
    QStringList items;
    for (const auto& item : request.Items) items.append(PathToQt(item));
    bool accepted = false;
    const QString text = QInputDialog::getItem(Owner(), DialogTitle(request.Title),
                                               WithQtLineBreaks(TextToQt(request.Prompt)), items, 0, true, &accepted);
    return accepted ? TextFromQt(text) : std::string();
}

std::string QtPrompter::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(Owner(), request, QFileDialog::AcceptOpen);
}

std::string QtPrompter::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(Owner(), request, QFileDialog::AcceptSave);
}

std::string QtPrompter::BrowseFolder(const FolderRequest& request) {
    QFileDialog dialog(Owner(), DialogTitle(request.Title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!request.InitialFolder.empty()) {
        // Opened in the folder above, with the initial folder selected.
        const QFileInfo info(QDir::cleanPath(PathToQt(request.InitialFolder)));
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return PathFromQt(dialog.selectedFiles().constFirst());
}

} // namespace tolvanor::ui
