// SPDX-License-Identifier: GPL-3.0-or-later
// View Source Data: which way a file is shown, the viewer's questions, and
// the line ends an edited file is written back with.
#include "input/SourceViewing.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

struct RouteCase {
    const char* File;
    bool Exists;
    bool HasTextEditor;
    SourceViewRoute Expected;
};

class SourceViewRouteTest : public ::testing::TestWithParam<RouteCase> {};

TEST_P(SourceViewRouteTest, ChoosesTheRoute) {
    const RouteCase& c = GetParam();
    EXPECT_EQ(ChooseSourceViewRoute(c.File, c.Exists, c.HasTextEditor), c.Expected) << c.File;
}

INSTANTIATE_TEST_SUITE_P(
    Routes, SourceViewRouteTest,
    ::testing::Values(RouteCase{"", false, true, SourceViewRoute::NoFile},
                      RouteCase{"/data/gone.csv", false, true, SourceViewRoute::NoFile},
                      RouteCase{"/data/gone.tvn", false, false, SourceViewRoute::NoFile},
                      RouteCase{"/data/shots.csv", true, true, SourceViewRoute::AssociatedProgram},
                      RouteCase{"/data/shots.csv", true, false, SourceViewRoute::AssociatedProgram},
                      // A job opens in the text editor, never in the program the system
                      // associates with jobs (that would be this program).
                      RouteCase{"/data/job.TVN", true, true, SourceViewRoute::TextEditor},
                      RouteCase{"/data/job.tvn", true, false, SourceViewRoute::InternalViewer},
                      // The rule is the name's last three letters, dot or not.
                      RouteCase{"/data/jobtvn", true, false, SourceViewRoute::InternalViewer},
                      RouteCase{"/data/job.tvn.bak", true, false, SourceViewRoute::AssociatedProgram},
                      RouteCase{"tv", true, false, SourceViewRoute::AssociatedProgram}));

TEST(SourceViewingTest, NoProgramMessageNamesTheFileManagerOfThePlatform) {
    const std::string windows = NoAssociatedProgramMessage(true);
    EXPECT_EQ(windows, "Unable to find a progam to open this file. It may not be a registered file type. Using "
                       "internal file text viewer.\r\rTo register this file type for next time, try to open the "
                       "file with Windows Explorer and choose a progam for opening this type. \rMake sure the "
                       "'Always use this program... box' is checked");
    const std::string elsewhere = NoAssociatedProgramMessage(false);
    EXPECT_EQ(elsewhere.find("Windows Explorer"), std::string::npos);
    EXPECT_NE(elsewhere.find("open the file with your file manager and choose"), std::string::npos);
}

TEST(SourceViewingTest, CloseQuestionIsOkCancelAndOkCloses) {
    for (const auto& [answer, closes] : {std::pair{MessageAnswer::Ok, true}, std::pair{MessageAnswer::Cancel, false}}) {
        ScriptedPrompter prompter;
        prompter.QueueAnswer(answer);
        EXPECT_EQ(ConfirmDiscardViewerChanges(prompter), closes);
        ASSERT_EQ(prompter.Calls().size(), 1u);
        const MessageRequest& box = prompter.Calls()[0].Message;
        EXPECT_EQ(box.Text, " Click OK to close without saving changes or Cancel to return");
        EXPECT_EQ(box.Buttons, MessageButtons::OkCancel);
    }
}

TEST(SourceViewingTest, SaveDialogStartsAtTheShownFile) {
    ScriptedPrompter prompter;
    prompter.QueueText("/data/edited.csv");
    EXPECT_EQ(AskViewerSaveName(prompter, "/data/shots.csv"), "/data/edited.csv");
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].What, ScriptedPrompter::Kind::SaveFile);
    EXPECT_EQ(prompter.Calls()[0].File.InitialPath, "/data/shots.csv");
    EXPECT_EQ(AskViewerSaveName(prompter, "/data/shots.csv"), "") << "cancelled";
}

struct LineEndCase {
    const char* Text;
    LineEnding Expected;
};

class LineEndingTest : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEndingTest, DetectsAndRestoresTheFilesLineEnd) {
    const std::string original = GetParam().Text;
    const LineEnding ending = DetectLineEnding(original);
    EXPECT_EQ(ending, GetParam().Expected);
    // What the text view holds: "\n" only.
    std::string plain;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] == '\r') {
            plain += '\n';
            if (i + 1 < original.size() && original[i + 1] == '\n') ++i;
        } else {
            plain += original[i];
        }
    }
    EXPECT_EQ(WithLineEnding(plain, ending), original);
}

INSTANTIATE_TEST_SUITE_P(Endings, LineEndingTest,
                         ::testing::Values(LineEndCase{"1,2,3,4,PRO1 L\r\n2,3,4,5,PRO1 B\r\n", LineEnding::CrLf},
                                           LineEndCase{"1,2,3,4,PRO1 L\n2,3,4,5,PRO1 B", LineEnding::Lf},
                                           LineEndCase{"1,2\r3,4\r", LineEnding::Cr},
                                           LineEndCase{"\r\n\r\n", LineEnding::CrLf},
                                           LineEndCase{"one line", LineEnding::CrLf},
                                           LineEndCase{"", LineEnding::CrLf}));

TEST(SourceViewingTest, SaveFailureNamesPathAndReason) {
    EXPECT_EQ(ViewerSaveFailedMessage("/ro/shots.csv", "Permission denied"),
              "Unable to save the file.\r\n/ro/shots.csv\r\nPermission denied");
}

} // namespace
} // namespace tolvanor
