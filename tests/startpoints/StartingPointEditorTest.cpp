// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/StartingPointEditor.h"

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

TEST_F(StartingPointEditorTest, EntriesAreTrimmedUpperCasedAndFormatted) {
    const struct {
        const char* typed;
        bool format;
        const char* stored;
    } cases[] = {{"7", true, "007"},
                 {"7", false, "7"},
                 {" 12a ", true, "12A"},
                 {"12a", false, "12A"},
                 {"12+50", true, "012+50"}};
    for (const auto& c : cases) {
        StartingPointEditor fresh(prompter);
        fresh.SetEditText(0, c.typed);
        fresh.SetEditText(1, " 1.5e3 ");
        fresh.SetEditText(2, "2");
        fresh.SetEditText(3, "45");
        ASSERT_TRUE(fresh.AddNewEntry(c.format).Stored) << c.typed;
        EXPECT_EQ(fresh.Grid().TextMatrix(1, 0), c.stored) << c.typed;
        EXPECT_EQ(fresh.Grid().TextMatrix(1, 1), "1.5E3");
    }
}

TEST_F(StartingPointEditorTest, UnusableEntriesAreRefusedNamingTheField) {
    const struct {
        const char* profile;
        const char* easting;
        const char* northing;
        const char* angle;
        int box;
        const char* message;
        const char* title;
    } cases[] = {
        {"", "1", "2", "3", 0, "Invalid Data.  All fields must be filled out.", "Data Entry Error"},
        {"1", "1", "2", "", 3, "Invalid Data.  All fields must be filled out.", "Data Entry Error"},
        {"1,2", "1", "2", "3", 0, "Invalid Data.  The Profile Number must not contain a comma.", "Data Entry Error"},
        {"1", "1,5", "2", "3", 1, "Invalid Data.  The Easting must be a number.", "Data Entry Error"},
        {"1", "1", "N", "3", 2, "Invalid Data.  The Northing must be a number.", "Data Entry Error"},
        {"1", "1", "2", "1e39", 3, "Invalid Data.  The Line Angle must be a number.", "Data Entry Error"},
        {"1", "1", "2", "  ", 3, "Invalid Data.  The Line Angle must be a number.", "Data Entry Error"},
    };
    for (const auto& c : cases) {
        prompter.Reset();
        const auto result = Add(c.profile, c.easting, c.northing, c.angle);
        EXPECT_FALSE(result.Stored) << c.message;
        EXPECT_EQ(result.FocusBox, c.box) << c.message;
        ASSERT_EQ(prompter.Calls().size(), 1u);
        EXPECT_EQ(prompter.Calls()[0].Message.Text, c.message);
        EXPECT_EQ(prompter.Calls()[0].Message.Title, c.title);
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

TEST_F(StartingPointEditorTest, DeleteShowsTheEntryThatMovedUpAndKeepsOneRow) {
    Add("1", "10", "20", "30");
    Add("2", "11", "21", "31");
    editor.SelectRow(1);
    editor.DeleteEntry();
    EXPECT_EQ(GridText(), "2|11|21|31/");
    EXPECT_EQ(Boxes(), "2|11|21|31");
    editor.DeleteEntry();
    EXPECT_EQ(GridText(), "|||/");
    EXPECT_EQ(editor.Grid().TextMatrix(0, 1), "       Easting");
    // The empty grid behaves as a fresh one.
    Add("3");
    EXPECT_EQ(editor.Grid().Rows(), 2);
}

TEST_F(StartingPointEditorTest, SavedStateFollowsLoadSaveAndEveryChange) {
    const auto path = Write("a.spf", "1,10,20,30\r\n\r\n2,11,21,31\r\n");
    prompter.QueueText(path);
    editor.Open(false);
    EXPECT_TRUE(editor.Saved());
    EXPECT_EQ(GridText(), "1|10|20|30/2|11|21|31/"); // past the blank line
    EXPECT_EQ(editor.CurrentFileText(), path);
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
    EXPECT_EQ(prompter.Calls()[0].File.Title, "Open Starting Point File");
    EXPECT_EQ(prompter.Calls()[0].File.Filter, "Starting Point Files (*.spf)|*.spf|All Files (*.*)|*.*|");
    EXPECT_EQ(prompter.Calls()[1].Message.Text, "Invalid file name.  Please try again.");
    EXPECT_EQ(prompter.Calls()[1].Message.Title, "File Open Error");
    EXPECT_EQ(prompter.Calls()[1].Message.Icon, MessageIcon::Exclamation);

    Add("1");
    prompter.Reset();
    prompter.QueueAnswer(MessageAnswer::Cancel);
    editor.Open(false);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].Message.Text, "Do you wish to save your Starting Point File first?");
    EXPECT_EQ(GridText(), "1|500100.5|4100200.25|45/");
}

TEST_F(StartingPointEditorTest, QuitHidesOnlyWhenNothingIsLost) {
    const struct {
        MessageAnswer answer;
        const char* saveAs; // the save dialog's answer after Yes
        QuitDecision decision;
        bool notSavedShown;
    } cases[] = {
        {MessageAnswer::Cancel, "", QuitDecision::Stay, false},
        {MessageAnswer::No, "", QuitDecision::Hide, false},
        {MessageAnswer::Yes, "", QuitDecision::Stay, true},
        {MessageAnswer::Yes, "quit.spf", QuitDecision::Hide, false},
    };
    for (const auto& c : cases) {
        StartingPointEditor fresh(prompter);
        prompter.Reset();
        prompter.QueueAnswer(c.answer);
        if (*c.saveAs) prompter.QueueText((folder / c.saveAs).string());
        EXPECT_EQ(fresh.Quit(), c.decision);
        const auto messages = prompter.Messages();
        EXPECT_EQ(messages.front(), "Do you wish to save your Starting Point File first?");
        EXPECT_EQ(prompter.Calls().front().Message.Buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(prompter.Calls().front().Message.Icon, MessageIcon::Question);
        EXPECT_EQ(messages.back() == "Your Starting Points were not saved", c.notSavedShown);
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
