// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Prompter.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace tolvanor::ui {

// The core's questions as Qt dialogs: message boxes with the exact text,
// title, buttons and default button; input boxes; open, save and folder
// dialogs. Dialogs belong to the parent window (or, without one, to the
// window that is active when they open).
class QtPrompter : public Prompter {
public:
    static constexpr const char* ApplicationTitle = "Tolvanor";

    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    using Prompter::Message;
    MessageAnswer Message(const MessageRequest& request) override;
    std::string Input(const InputRequest& request) override;
    std::string OpenFile(const FileDialogRequest& request) override;
    std::string SaveFile(const FileDialogRequest& request) override;
    std::string BrowseFolder(const FolderRequest& request) override;
    // A list to pick from that also takes a typed answer.
    std::string Choose(const ChoiceRequest& request) override;

private:
    QWidget* Owner() const;

    QPointer<QWidget> parent_;
};

// The mapping of the core's icons and buttons, for the prompter and its tests.
QMessageBox::Icon QtMessageIcon(MessageIcon icon);
QMessageBox::StandardButtons QtMessageButtons(MessageButtons buttons);
QMessageBox::StandardButton QtDefaultButton(MessageButtons buttons, DefaultButton choice);
MessageAnswer AnswerOf(QMessageBox::StandardButton button);
// The title a dialog shows: the request's, or the application's when empty.
QString DialogTitle(const std::string& title);

} // namespace tolvanor::ui
