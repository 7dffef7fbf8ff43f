// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/StartingPointEditor.h"

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include <unistd.h>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;

class StartingPointEditorTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    StartingPointEditor editor{prompter};
    // ctest runs the cases side by side, each in its own process: each gets a folder of its own
    // (short, so the current-file box shows it whole).
    std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / ("spe-" + std::to_string(::getpid()));

    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void Type(const std::string& profile, const std::string& easting, const std::string& northing,
              const std::string& angle) {
        editor.SetEditText(0, profile);
        editor.SetEditText(1, easting);
        editor.SetEditText(2, northing);
        editor.SetEditText(3, angle);
    }
    EntryResult Add(const std::string& profile, const std::string& easting = "500100.5",
                    const std::string& northing = "4100200.25", const std::string& angle = "45", bool format = false) {
        Type(profile, easting, northing, angle);
        return editor.AddNewEntry(format);
    }
    // Rows 1.. of the grid, cells ended by "|", rows by "/".
    std::string GridText() const {
        std::string text;
        const auto& grid = editor.Grid();
        for (int row = 1; row < grid.Rows(); ++row)
            for (int col = 0; col < grid.Cols(); ++col) text += grid.TextMatrix(row, col) + (col < 3 ? "|" : "/");
        return text;
    }
    std::string Boxes() const {
        return editor.EditText(0) + "|" + editor.EditText(1) + "|" + editor.EditText(2) + "|" + editor.EditText(3);
    }
    std::string Write(const std::string& name, const std::string& text) const {
        const auto path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
};

// The window checks the profile number's forms; every box is trimmed and upper-cased.
TEST_F(StartingPointEditorTest, EntriesAreTrimmedAndUpperCased) {
    ASSERT_TRUE(Add(" 12+50 ", " 1.5e3 ", "2", "45", true).Stored);
    EXPECT_EQ(GridText(), "012+50|1.5E3|2|45/");
}

TEST_F(StartingPointEditorTest, UnusableEntriesAreRefusedNamingTheField) {
    const std::string all = "Invalid Data.  All fields must be filled out.";
    // The four boxes, the box that takes the focus, the message.
    const std::tuple<const char*, const char*, const char*, const char*, int, std::string> cases[] = {
        // clang-format off
        {"", "1", "2", "3", 0, all}, {"1", "1", "2", "", 3, all},
        {"1,2", "1", "2", "3", 0, "Invalid Data.  The Profile Number must not contain a comma."},
        {"1", "1,5", "2", "3", 1, "Invalid Data.  The Easting must be a number."},
        {"1", "1", "N", "3", 2, "Invalid Data.  The Northing must be a number."},
        {"1", "1", "2", "1e39", 3, "Invalid Data.  The Line Angle must be a number."},
        {"1", "1", "2", "  ", 3, "Invalid Data.  The Line Angle must be a number."},
        // clang-format on
    };
    for (const auto& [profile, easting, northing, angle, box, message] : cases) {
        prompter.Reset();
        const auto result = Add(profile, easting, northing, angle);
        EXPECT_EQ(std::pair(result.Stored, result.FocusBox), std::pair(false, box)) << message;
        ASSERT_EQ(prompter.Calls().size(), 1u);
        EXPECT_EQ(prompter.Calls()[0].Message.Text, message);
        EXPECT_EQ(prompter.Calls()[0].Message.Title, "Data Entry Error");
        EXPECT_EQ(GridText(), "|||/");
    }
    // Replace Data refuses an empty box under the application's title.
    prompter.Reset();
    Type("1", "", "2", "3");
    EXPECT_FALSE(editor.ReplaceData(false).Stored);
    EXPECT_EQ(prompter.Calls()[0].Message.Title, "");
}

TEST_F(StartingPointEditorTest, ChoosingARowFillsTheBoxesAndReplaceWritesItBack) {
    Add("1", "10", "20", "30");
    Add("2", "11", "21", "31");
    editor.SelectRow(1);
    EXPECT_EQ(Boxes(), "1|10|20|30");
    EXPECT_EQ(editor.HighlightedRow(), 1);
    editor.SetEditText(1, "99");
    EXPECT_TRUE(editor.ReplaceData(false).Stored);
    EXPECT_EQ(GridText(), "1|99|20|30/2|11|21|31/");
    EXPECT_EQ(Boxes(), "|||");
    // The title row is never chosen.
    editor.SelectRow(0);
    EXPECT_EQ(editor.Grid().Row(), 1);
}

// The window checks the entry that moves up; the last delete leaves a fresh grid.
TEST_F(StartingPointEditorTest, DeletingEveryEntryLeavesAFreshGrid) {
    Add("1", "10", "20", "30");
    editor.SelectRow(1);
    editor.DeleteEntry();
    EXPECT_EQ(GridText(), "|||/");
    EXPECT_EQ(editor.Grid().TextMatrix(0, 1), "       Easting");
    Add("3");
    EXPECT_EQ(editor.Grid().Rows(), 2);
}

TEST_F(StartingPointEditorTest, SavedStateFollowsLoadSaveAndEveryChange) {
    const auto path = Write("a.spf", "1,10,20,30\r\n\r\n2,11,21,31\r\n");
    prompter.QueueText(path);
    editor.Open(false);
    EXPECT_TRUE(editor.Saved());
    EXPECT_EQ(GridText(), "1|10|20|30/2|11|21|31/"); // past the blank line
    editor.SelectRow(2);
    EXPECT_FALSE(editor.Saved()); // a click counts as a change
    prompter.QueueText((folder / "b").string());
    editor.Save();
    EXPECT_TRUE(editor.Saved());
    EXPECT_EQ(editor.CurrentFileText(), (folder / "b.spf").string());
    EXPECT_EQ(Read((folder / "b.spf").string()), "1,10,20,30\r\n2,11,21,31\r\n");
    // Replace Data after a load writes row 1, never the titles, and unticks.
    prompter.QueueText(path);
    editor.Open(false);
    Type("5", "1", "2", "3");
    editor.ReplaceData(false);
    EXPECT_FALSE(editor.Saved());
    EXPECT_EQ(GridText(), "5|1|2|3/2|11|21|31/");
    EXPECT_EQ(editor.Grid().TextMatrix(0, 0), "    Profile Number");
}

TEST_F(StartingPointEditorTest, OpenRefusesAMissingFileAndAsksBeforeReplacingEntries) {
    editor.Open(false); // cancelled dialog
    ASSERT_EQ(prompter.Calls().size(), 2u);
    const auto& dialog = prompter.Calls()[0].File;
    EXPECT_EQ(std::tuple(dialog.Title, dialog.Filter),
              std::tuple("Open Starting Point File", "Starting Point Files (*.spf)|*.spf|All Files (*.*)|*.*|"));
    const auto& box = prompter.Calls()[1].Message;
    EXPECT_EQ(std::tuple(box.Text, box.Title, box.Icon),
              std::tuple("Invalid file name.  Please try again.", "File Open Error", MessageIcon::Exclamation));

    Add("1");
    prompter.Reset();
    prompter.QueueAnswer(MessageAnswer::Cancel);
    editor.Open(false);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].Message.Text, "Do you wish to save your Starting Point File first?");
    EXPECT_EQ(GridText(), "1|500100.5|4100200.25|45/");
}

TEST_F(StartingPointEditorTest, QuitHidesOnlyWhenNothingIsLost) {
    // The answer, the save dialog's answer after Yes, the decision, whether "not saved" is shown.
    const std::tuple<MessageAnswer, const char*, QuitDecision, bool> cases[] = {
        {MessageAnswer::Cancel, "", QuitDecision::Stay, false},
        {MessageAnswer::No, "", QuitDecision::Hide, false},
        {MessageAnswer::Yes, "", QuitDecision::Stay, true},
        {MessageAnswer::Yes, "quit.spf", QuitDecision::Hide, false},
    };
    for (const auto& [answer, saveAs, decision, notSavedShown] : cases) {
        StartingPointEditor fresh(prompter);
        prompter.Reset();
        prompter.QueueAnswer(answer);
        if (*saveAs) prompter.QueueText((folder / saveAs).string());
        EXPECT_EQ(fresh.Quit(), decision);
        const auto& box = prompter.Calls().front().Message;
        EXPECT_EQ(std::tuple(box.Text, box.Buttons, box.Icon),
                  std::tuple("Do you wish to save your Starting Point File first?", MessageButtons::YesNoCancel,
                             MessageIcon::Question));
        EXPECT_EQ(prompter.Messages().back() == "Your Starting Points were not saved", notSavedShown);
    }
    prompter.Reset();
    prompter.QueueText((folder / "saved.spf").string());
    editor.Save();
    EXPECT_EQ(editor.Quit(), QuitDecision::Hide);
    EXPECT_EQ(prompter.Messages().size(), 0u);
}

TEST(ShortenedFileName, LongPathsKeepTheirLast68Characters) {
    const std::string tail68 = "/" + std::string(63, 'f') + ".spf";
    ASSERT_EQ(tail68.size(), 68u);
    EXPECT_EQ(ShortenedFileName(std::string(12, 'd') + tail68), "..." + tail68); // 80 characters
    EXPECT_EQ(ShortenedFileName(std::string(3, 'd') + tail68), "..." + tail68);  // 71
    EXPECT_EQ(ShortenedFileName(std::string(2, 'd') + tail68), "dd" + tail68);   // 70
}

} // namespace
} // namespace tolvanor
