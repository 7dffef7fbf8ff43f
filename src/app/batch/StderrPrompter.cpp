// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch/StderrPrompter.h"

namespace tolvanor::batch {

std::string PrintableMessage(const std::string& text) {
    std::string printed;
    printed.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            printed.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            printed.push_back(text[i]);
        }
    }
    return printed;
}

MessageAnswer StderrPrompter::Message(const MessageRequest& request) {
    if (progress_ != nullptr) progress_->Interrupt();
    const std::string printed = PrintableMessage(request.Text) + "\n";
    std::fwrite(printed.data(), 1, printed.size(), out_);
    std::fflush(out_);
    switch (request.Buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        if (overwrite_) return MessageAnswer::Yes;
        answeredNo_ = true;
        return MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

std::string StderrPrompter::Input(const InputRequest&) {
    return {};
}

std::string StderrPrompter::OpenFile(const FileDialogRequest&) {
    return {};
}

std::string StderrPrompter::SaveFile(const FileDialogRequest&) {
    return savePath_;
}

std::string StderrPrompter::BrowseFolder(const FolderRequest&) {
    return {};
}

} // namespace tolvanor::batch
