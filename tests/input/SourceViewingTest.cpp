// SPDX-License-Identifier: GPL-3.0-or-later
// View Source Data: which way a file is shown, the viewer's questions, and
// the line ends an edited file is written back with.
#include "input/SourceViewing.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

TEST(SourceViewing, ChoosesTheRoute) {
    using enum SourceViewRoute;
    // The file, whether it exists, whether a text editor is set up, the route.
    const std::tuple<const char*, bool, bool, SourceViewRoute> cases[] = {
        // clang-format off
        {"", false, true, NoFile}, {"/data/gone.csv", false, true, NoFile}, {"/data/gone.tvn", false, false, NoFile},
        {"/data/shots.csv", true, true, AssociatedProgram}, {"/data/shots.csv", true, false, AssociatedProgram},
        // A job opens in the text editor, never in the program the system
        // associates with jobs (that would be this program).
        {"/data/job.TVN", true, true, TextEditor}, {"/data/job.tvn", true, false, InternalViewer},
        // The rule is the name's last three letters, dot or not.
        {"/data/jobtvn", true, false, InternalViewer}, {"/data/job.tvn.bak", true, false, AssociatedProgram},
        {"tv", true, false, AssociatedProgram},
        // clang-format on
    };
    for (const auto& [file, exists, hasEditor, route] : cases)
        EXPECT_EQ(ChooseSourceViewRoute(file, exists, hasEditor), route) << file << " " << exists << hasEditor;
}

TEST(SourceViewing, NoProgramMessageNamesTheFileManagerOfThePlatform) {
    EXPECT_EQ(NoAssociatedProgramMessage(true),
              "Unable to find a progam to open this file. It may not be a registered file type. Using "
              "internal file text viewer.\r\rTo register this file type for next time, try to open the "
              "file with Windows Explorer and choose a progam for opening this type. \rMake sure the "
              "'Always use this program... box' is checked");
    const std::string elsewhere = NoAssociatedProgramMessage(false);
    EXPECT_EQ(elsewhere.find("Windows Explorer"), std::string::npos);
    EXPECT_NE(elsewhere.find("open the file with your file manager and choose"), std::string::npos);
}

TEST(SourceViewing, CloseQuestionSaveDialogAndSaveFailure) {
    for (const auto& [answer, closes] : {std::pair{MessageAnswer::Ok, true}, std::pair{MessageAnswer::Cancel, false}}) {
        ScriptedPrompter prompter;
        prompter.QueueAnswer(answer);
        EXPECT_EQ(ConfirmDiscardViewerChanges(prompter), closes);
        ASSERT_EQ(prompter.Calls().size(), 1u);
        const MessageRequest& box = prompter.Calls()[0].Message;
        EXPECT_EQ(box.Text, " Click OK to close without saving changes or Cancel to return");
        EXPECT_EQ(box.Buttons, MessageButtons::OkCancel);
    }
    ScriptedPrompter prompter;
    prompter.QueueText("/data/edited.csv");
    EXPECT_EQ(AskViewerSaveName(prompter, "/data/shots.csv"), "/data/edited.csv");
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].What, ScriptedPrompter::Kind::SaveFile);
    EXPECT_EQ(prompter.Calls()[0].File.InitialPath, "/data/shots.csv");
    EXPECT_EQ(AskViewerSaveName(prompter, "/data/shots.csv"), "") << "cancelled";
    EXPECT_EQ(ViewerSaveFailedMessage("/ro/shots.csv", "Permission denied"),
              "Unable to save the file.\r\n/ro/shots.csv\r\nPermission denied");
}

TEST(SourceViewing, DetectsAndRestoresTheFilesLineEnd) {
    const std::pair<std::string, LineEnding> cases[] = {
        // clang-format off
        {"1,2,3,4,PRO1 L\r\n2,3,4,5,PRO1 B\r\n", LineEnding::CrLf}, {"1,2,3,4,PRO1 L\n2,3,4,5,PRO1 B", LineEnding::Lf},
        {"1,2\r3,4\r", LineEnding::Cr}, {"\r\n\r\n", LineEnding::CrLf}, {"one line", LineEnding::CrLf},
        {"", LineEnding::CrLf},
        // clang-format on
    };
    for (const auto& [original, expected] : cases) {
        const LineEnding ending = DetectLineEnding(original);
        EXPECT_EQ(ending, expected) << original;
        // What the text view holds: "\n" only.
        std::string plain;
        for (std::size_t i = 0; i < original.size(); ++i) {
            plain += original[i] == '\r' ? '\n' : original[i];
            if (original[i] == '\r' && i + 1 < original.size() && original[i + 1] == '\n') ++i;
        }
        EXPECT_EQ(WithLineEnding(plain, ending), original);
    }
}

} // namespace
} // namespace tolvanor
