// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };
// Which button Enter presses: the first, second or third of the set.
enum class DefaultButton { First, Second, Third };

struct MessageRequest {
    std::string Text;
    std::string Title; // empty: the application's title
    MessageButtons Buttons = MessageButtons::Ok;
    MessageIcon Icon = MessageIcon::None;
    DefaultButton Default = DefaultButton::First;
};

struct InputRequest {
    std::string Prompt;
    std::string Title;
    std::string DefaultText;
};

struct FileDialogRequest {
    std::string Title;
    std::string Filter; // "Name|*.ext|Name|*.*|" pairs
    std::string DefaultExtension;
    std::string InitialPath; // a folder or a file name
};

// A pick from a list (the answer may also be typed).
struct ChoiceRequest {
    std::string Prompt;
    std::string Title;
    std::vector<std::string> Items;
};

struct FolderRequest {
    std::string Title;
    std::string InitialFolder;
};

// Everything that would stop and ask the user goes through here, so every
// command runs headless: the windows answer with dialogs, the batch command
// prints, and tests replay scripted answers.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual MessageAnswer Message(const MessageRequest& request) = 0;
    // Empty text when cancelled.
    virtual std::string Input(const InputRequest& request) = 0;
    // Empty path when cancelled.
    virtual std::string OpenFile(const FileDialogRequest& request) = 0;
    virtual std::string SaveFile(const FileDialogRequest& request) = 0;
    virtual std::string BrowseFolder(const FolderRequest& request) = 0;
    // Empty text when cancelled. Prompters without a list ask with an input
    // box whose default is the first item.
    virtual std::string Choose(const ChoiceRequest& request);

    // The common case: text, OK button, the application's title.
    MessageAnswer Message(std::string_view text) { return Message(MessageRequest{std::string(text)}); }
};

// The answer Enter gives for a button set.
MessageAnswer DefaultAnswer(MessageButtons buttons, DefaultButton choice) noexcept;

} // namespace tolvanor
