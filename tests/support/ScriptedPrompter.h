// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace tolvanor::testing {

// A prompter for tests: records every call and replays queued answers.
// With nothing queued, a message box answers its default button and every
// other prompt answers empty (cancelled).
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, BrowseFolder };

    struct Call {
        Kind What;
        MessageRequest Message;     // for Kind::Message
        InputRequest Input;         // for Kind::Input
        FileDialogRequest File;     // for the file dialogs
        FolderRequest Folder;       // for Kind::BrowseFolder
    };

    using Prompter::Message;

    MessageAnswer Message(const MessageRequest& request) override;
    std::string Input(const InputRequest& request) override;
    std::string OpenFile(const FileDialogRequest& request) override;
    std::string SaveFile(const FileDialogRequest& request) override;
    std::string BrowseFolder(const FolderRequest& request) override;

    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void QueueText(std::string text) { texts_.push_back(std::move(text)); }

    const std::vector<Call>& Calls() const { return calls_; }
    // The texts of the message boxes shown, in order.
    std::vector<std::string> Messages() const;
    void Reset();

private:
    std::string NextText();

    std::vector<Call> calls_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::string> texts_;
};

} // namespace tolvanor::testing
