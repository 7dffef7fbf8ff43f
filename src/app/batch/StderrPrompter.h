// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batch/TerminalProgress.h"
#include "core/Prompter.h"

#include <cstdio>
#include <string>

namespace tolvanor::batch {

// Prints every message box to the error output and answers as a user who
// chose the command-line options would: OK to continue, Yes to overwrite
// only with --overwrite, the --save-job path to the save dialog.
class StderrPrompter : public Prompter {
public:
    StderrPrompter(std::FILE* out, bool overwrite) : out_(out), overwrite_(overwrite) {}

    using Prompter::Message;
    MessageAnswer Message(const MessageRequest& request) override;
    std::string Input(const InputRequest& request) override;
    std::string OpenFile(const FileDialogRequest& request) override;
    std::string SaveFile(const FileDialogRequest& request) override;
    std::string BrowseFolder(const FolderRequest& request) override;

    // A progress line drawn on the same output: it is ended before a message.
    void SetProgressLine(TerminalProgress* progress) noexcept { progress_ = progress; }
    // The path the next save dialog answers with.
    void SetSavePath(std::string path) { savePath_ = std::move(path); }
    // A Yes/No question was answered No (a format skipped).
    bool AnsweredNo() const { return answeredNo_; }

private:
    std::FILE* out_;
    TerminalProgress* progress_ = nullptr;
    bool overwrite_;
    bool answeredNo_ = false;
    std::string savePath_;
};

// A message's text as printed: CR LF and lone CR become newlines.
std::string PrintableMessage(const std::string& text);

} // namespace tolvanor::batch
