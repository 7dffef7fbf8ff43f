// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedPrompter.h"

namespace tolvanor::testing {

MessageAnswer ScriptedPrompter::Message(const MessageRequest& request) {
    calls_.push_back({Kind::Message, request, {}, {}, {}});
    if (answers_.empty()) return DefaultAnswer(request.Buttons, request.Default);
    const auto answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::string ScriptedPrompter::NextText() {
    if (texts_.empty()) return {};
    auto text = std::move(texts_.front());
    texts_.pop_front();
    return text;
}

std::string ScriptedPrompter::Input(const InputRequest& request) {
    calls_.push_back({Kind::Input, {}, request, {}, {}});
    return NextText();
}

std::string ScriptedPrompter::OpenFile(const FileDialogRequest& request) {
    calls_.push_back({Kind::OpenFile, {}, {}, request, {}});
    return NextText();
}

std::string ScriptedPrompter::SaveFile(const FileDialogRequest& request) {
    calls_.push_back({Kind::SaveFile, {}, {}, request, {}});
    return NextText();
}

std::string ScriptedPrompter::BrowseFolder(const FolderRequest& request) {
    calls_.push_back({Kind::BrowseFolder, {}, {}, {}, request});
    return NextText();
}

std::vector<std::string> ScriptedPrompter::Messages() const {
    std::vector<std::string> texts;
    for (const auto& call : calls_) {
        if (call.What == Kind::Message) texts.push_back(call.Message.Text);
    }
    return texts;
}

void ScriptedPrompter::Reset() {
    calls_.clear();
    answers_.clear();
    texts_.clear();
}

} // namespace tolvanor::testing
