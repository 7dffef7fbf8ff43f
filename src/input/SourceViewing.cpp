// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/SourceViewing.h"

#include "core/Prompter.h"
#include "core/Text.h"

namespace tolvanor {

bool IsJobFileName(std::string_view path) noexcept {
    if (path.size() < 3) return false;
    const std::string_view end = path.substr(path.size() - 3);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(end[0]) == 't' && lower(end[1]) == 'v' && lower(end[2]) == 'n';
}

SourceViewRoute ChooseSourceViewRoute(std::string_view sourceFile, bool fileExists, bool hasTextEditor) noexcept {
    if (sourceFile.empty() || !fileExists) return SourceViewRoute::NoFile;
    if (!IsJobFileName(sourceFile)) return SourceViewRoute::AssociatedProgram;
    return hasTextEditor ? SourceViewRoute::TextEditor : SourceViewRoute::InternalViewer;
}

std::string NoAssociatedProgramMessage(bool windows) {
    const std::string_view fileManager = windows ? "Windows Explorer" : "your file manager";
    std::string text = "Unable to find a progam to open this file. It may not be a registered file type.";
    text += " Using internal file text viewer.";
    text += "\r\r";
    text += "To register this file type for next time, try to open the file with ";
    text += fileManager;
    text += " and choose a progam for opening this type. ";
    text += "\r";
    text += "Make sure the 'Always use this program... box' is checked";
    return text;
}

bool ConfirmDiscardViewerChanges(Prompter& prompter) {
    MessageRequest request;
    request.Text = " Click OK to close without saving changes or Cancel to return";
    request.Buttons = MessageButtons::OkCancel;
    return prompter.Message(request) == MessageAnswer::Ok;
}

std::string AskViewerSaveName(Prompter& prompter, std::string_view currentName) {
    FileDialogRequest request;
    request.Title = "Save Source Data";
    request.Filter = "All Files (*.*)|*.*|";
    request.InitialPath = std::string(currentName);
    return prompter.SaveFile(request);
}

std::string ViewerSaveFailedMessage(std::string_view path, std::string_view reason) {
    std::string text = "Unable to save the file.\r\n";
    text += path;
    text += "\r\n";
    text += reason;
    return text;
}

LineEnding DetectLineEnding(std::string_view text) noexcept {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return LineEnding::CrLf;
    if (text[at] == '\n') return LineEnding::Lf;
    return at + 1 < text.size() && text[at + 1] == '\n' ? LineEnding::CrLf : LineEnding::Cr;
}

std::string WithLineEnding(std::string_view text, LineEnding ending) {
    if (ending == LineEnding::Lf) return std::string(text);
    const std::string_view end = ending == LineEnding::CrLf ? "\r\n" : "\r";
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            result += end;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace tolvanor
