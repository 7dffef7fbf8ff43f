// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/OutputFolderTools.h"

#include "output/OutputFormat.h"

#include <filesystem>
#include <system_error>

namespace tolvanor {
namespace {

bool EndsInSeparator(std::string_view folder) {
    return !folder.empty() && (folder.back() == OutputPathSeparator || folder.back() == '\\');
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::optional<std::string> ReportDriveNotFound(Prompter& prompter) {
    prompter.Message(DriveNotFoundMessage);
    return std::nullopt;
}

std::optional<std::string> ChangeDriveLetter(Prompter& prompter) {
    const std::string answer = prompter.Input({"Enter Drive Letter", "Switch to New Output Drive", ""});
    if (answer.empty()) return std::nullopt;
    const std::string drive = answer.substr(0, 1) + ":";
    const std::string root = drive + "\\";
    if (!IsFolder(root)) return ReportDriveNotFound(prompter);
    return root;
}

std::optional<std::string> ChangeVolume(Prompter& prompter, const std::vector<std::string>& volumes) {
    const std::string answer =
        prompter.Choose({"Choose the drive (volume) for output", "Switch to New Output Drive", volumes});
    if (answer.empty()) return std::nullopt;
    if (!IsFolder(answer)) return ReportDriveNotFound(prompter);
    return answer;
}

} // namespace

std::string JoinFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!EndsInSeparator(folder)) path += OutputPathSeparator;
    path += name;
    return path;
}

std::string OutputFileStringPreview(std::string_view folder, std::string_view prefix) {
    const std::string preview = JoinFolder(folder, std::string(prefix) + ".xxx");
    if (preview.size() <= PreviewLength) return preview;
    return "..." + preview.substr(preview.size() - PreviewLength);
}

std::optional<std::string> AskOutputPrefix(Prompter& prompter) {
    std::string answer =
        prompter.Input({"Prefix each output filename with this text\n\r    (Project Name is suggested prefix)",
                        "Set Output File Prefix", ""});
    if (answer.empty()) return std::nullopt;
    return answer;
}

std::optional<std::string> NewOutputFolder(std::string_view folder, Prompter& prompter) {
    const std::string name = prompter.Input({"Name of New Folder should be:", "Create New Folder", ""});
    if (name.empty()) return std::nullopt;
    const std::string path = JoinFolder(folder, name);
    MessageRequest confirm{" Are you sure you want to create a new folder named:  " + path, "Confirm New Folder",
                           MessageButtons::OkCancel};
    if (prompter.Message(confirm) == MessageAnswer::Cancel) return std::nullopt;
    std::error_code error;
    if (!std::filesystem::create_directory(path, error)) {
        const std::string reason = error ? error.message() : "A file or folder of that name already exists.";
        prompter.Message("Unable to create the folder " + path + "\r\n" + reason);
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> ChangeOutputDrive(Prompter& prompter, const std::vector<std::string>& volumes) {
    if (volumes.empty()) return ChangeDriveLetter(prompter);
    return ChangeVolume(prompter, volumes);
}

FolderRequest OutputFolderRequest(std::string_view currentFolder) {
    return {"Select folder for output files", std::string(currentFolder)};
}

FileDialogRequest TemplateFileRequest(std::string_view currentFile) {
    return {"", "Template Files (*.itf)|*.itf|All Files (*.*)|*.*", "", std::string(currentFile)};
}

} // namespace tolvanor
