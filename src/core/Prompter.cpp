// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Prompter.h"

namespace tolvanor {

std::string Prompter::Choose(const ChoiceRequest& request) {
    return Input(
        InputRequest{request.Prompt, request.Title, request.Items.empty() ? std::string() : request.Items.front()});
}

MessageAnswer DefaultAnswer(MessageButtons buttons, DefaultButton choice) noexcept {
    const int index = static_cast<int>(choice);
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return index == 0 ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return index == 0 ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return index == 0 ? MessageAnswer::Yes : index == 1 ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

} // namespace tolvanor
