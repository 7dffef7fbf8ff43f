// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's rules, kept in the core: remembered settings at
// start-up, key filters, the output preview and folder tools, the source
// dialog, the starting-point command and its summary.
#include "core/Job.h"
#include "core/MainSettings.h"
#include "core/MemorySettingsStore.h"
#include "input/DataType.h"
#include "input/SourceFileDialog.h"
#include "output/OutputFolderTools.h"
#include "output/OutputFormat.h"
#include "processing/OptionRules.h"
#include "startpoints/StartingPointCommands.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;
static_assert(DataTypeListCount == DataTypeCount);

TEST(MainSettings, FirstRunWritesUseDefaultOnly) {
    MemorySettingsStore store;
    const auto restored = RestoreMainSettings(store, "/home/crew");
    EXPECT_EQ(restored.Start, SettingsStart::FirstRun);
    EXPECT_EQ(store.Get(SettingsKey::UseDefault), "True");
    EXPECT_FALSE(store.Contains(SettingsKey::OutputDirectoryPath));
}

TEST(MainSettings, ValuesReadBackAsTheWindowWroteThem) {
    MemorySettingsStore store;
    const std::string folder = fs::temp_directory_path().string();
    for (const auto& [key, value] :
         std::initializer_list<std::pair<std::string_view, std::string>>{{SettingsKey::UseDefault, "True"},
                                                                         {SettingsKey::XLSFormat, "1"},
                                                                         {SettingsKey::SingleFile, "0"},
                                                                         {SettingsKey::IndividualFiles, "1"},
                                                                         {SettingsKey::SortOrder, "6"},
                                                                         {SettingsKey::DataType, "9"},
                                                                         {SettingsKey::FormatProfileNumbers, "False"},
                                                                         {SettingsKey::ThinInc, "7"},
                                                                         {SettingsKey::OutputDirectoryPath, folder},
                                                                         {SettingsKey::OutputPrefix, "beach"}}) {
        store.Save(key, value);
    }
    const auto restored = RestoreMainSettings(store, "/home/crew");
    ASSERT_EQ(restored.Start, SettingsStart::Restored);
    const MainSettings& values = restored.Values;
    EXPECT_TRUE(values.XLSFormat);
    EXPECT_FALSE(values.ExcelFormat);
    EXPECT_FALSE(values.SingleFile);
    EXPECT_TRUE(values.IndividualFiles);
    EXPECT_EQ(values.SortOrder, 6);
    EXPECT_EQ(values.DataType, 0); // outside the list
    EXPECT_FALSE(values.FormatProfileNumbers);
    EXPECT_EQ(values.ThinInc, "7");
    EXPECT_EQ(values.OutputDirectoryPath, folder);
    EXPECT_EQ(values.OutputPrefix, "beach");
    EXPECT_TRUE(restored.FolderMessage.empty());
}

TEST(MainSettings, UseDefaultFalseRestoresNothingAndGoneFolderFallsBack) {
    MemorySettingsStore off;
    off.Save(SettingsKey::UseDefault, "False");
    off.Save(SettingsKey::SortOrder, "3");
    const auto notRestored = RestoreMainSettings(off, "/home/crew");
    EXPECT_EQ(notRestored.Start, SettingsStart::NotRestored);
    EXPECT_FALSE(notRestored.Values.UseDefault);
    EXPECT_EQ(notRestored.Values.SortOrder, 0);

    MemorySettingsStore gone;
    gone.Save(SettingsKey::UseDefault, "True");
    gone.Save(SettingsKey::OutputDirectoryPath, "/no/such/folder");
    const auto restored = RestoreMainSettings(gone, "/home/crew");
    EXPECT_EQ(restored.Values.OutputDirectoryPath, "/home/crew");
    EXPECT_EQ(restored.FolderMessage, "Previously used drive or folder not found.  Defaulting output to /home/crew");
}

TEST(OptionRules, KeyFilters) {
    struct Case {
        bool (*Rule)(char32_t) noexcept;
        const char32_t* Accepted;
        const char32_t* Refused;
    };
    const Case cases[] = {
        {&AppendTextKeyAccepted, U"aZ09+-\b", U" ,.%_\u00e9"},
        {&ElevChangeKeyAccepted, U"09.%\b", U"-+ e,"},
        {&NumericKeyAccepted, U"09-.\b", U"+ aE"},
        {&ThinIncKeyAccepted, U"09-\b", U". a"},
    };
    for (const auto& [rule, accepted, refused] : cases) {
        for (const char32_t* key = accepted; *key != 0; ++key) EXPECT_TRUE(rule(*key)) << static_cast<int>(*key);
        for (const char32_t* key = refused; *key != 0; ++key) EXPECT_FALSE(rule(*key)) << static_cast<int>(*key);
    }
    EXPECT_FALSE(ThinIncrementValid("0"));
    EXPECT_FALSE(ThinIncrementValid("-2"));
    EXPECT_FALSE(ThinIncrementValid(""));
    EXPECT_TRUE(ThinIncrementValid("3"));
    EXPECT_FALSE(ElevChangeEnabled(0));
    EXPECT_FALSE(ElevChangeEnabled(3));
    EXPECT_TRUE(ElevChangeEnabled(5));
}

TEST(OutputFolderTools, Preview) {
    const std::string sep(1, OutputPathSeparator);
    EXPECT_EQ(OutputFileStringPreview(sep, "job"), sep + "job.xxx");
    EXPECT_EQ(OutputFileStringPreview(sep + "data", "job"), sep + "data" + sep + "job.xxx");
    const std::string folder = sep + std::string(70, 'f');
    const std::string whole = folder + sep + "job.xxx";
    EXPECT_EQ(OutputFileStringPreview(folder, "job"), "..." + whole.substr(whole.size() - 60));
    EXPECT_EQ(OutputFileStringPreview(sep + std::string(51, 'f'), "job").size(), 60u); // exactly 60: not cut
}

TEST(OutputFolderTools, PrefixNewFolderAndDrive) {
    testing::ScriptedPrompter prompter;
    EXPECT_FALSE(AskOutputPrefix(prompter).has_value());
    prompter.QueueText("beach");
    EXPECT_EQ(AskOutputPrefix(prompter), std::optional<std::string>("beach"));
    EXPECT_EQ(prompter.Calls()[0].Input.Prompt,
              "Prefix each output filename with this text\n\r    (Project Name is suggested prefix)");

    const fs::path base = fs::temp_directory_path() / "tolvanor-folder-tools";
    fs::remove_all(base);
    fs::create_directories(base);
    prompter.Reset();
    prompter.QueueText("made");
    const auto made = NewOutputFolder(base.string(), prompter);
    ASSERT_TRUE(made.has_value());
    EXPECT_TRUE(fs::is_directory(*made));

    prompter.Reset();
    prompter.QueueText(base.string());
    EXPECT_EQ(ChangeOutputDrive(prompter, {"/"}), std::optional<std::string>(base.string()));
    prompter.QueueText((base / "gone").string());
    EXPECT_FALSE(ChangeOutputDrive(prompter, {"/"}).has_value());
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{std::string(DriveNotFoundMessage)});
    fs::remove_all(base);
}

TEST(SourceFileDialog, FilterFolderAndTypeFromExtension) {
    const std::string sep(1, OutputPathSeparator);
    const auto request = SourceFileRequest(5, sep + "jobs" + sep + "beach.tvn");
    EXPECT_EQ(request.Filter, "Tolvanor (*.tvn)|*.tvn|All Files (*.*)|*.*|");
    EXPECT_EQ(request.InitialPath, sep + "jobs" + sep);
    EXPECT_EQ(SourceFileRequest(6, "beach.txt").InitialPath, "");
    EXPECT_EQ(DataTypeFromExtension("/a/B.TVN"), std::optional<int>(5));
    EXPECT_EQ(DataTypeFromExtension("/a/b.co"), std::optional<int>(4));
    EXPECT_EQ(DataTypeFromExtension("/a/b.xyz"), std::nullopt);
    EXPECT_EQ(DataTypeFromExtension("/a.tvn/b"), std::nullopt);
}

TEST(StartingPointCommands, SummaryAndSkippedLines) {
    MergeReport report;
    report.Skipped = {
        {2, StartingPointSkip::Blank}, {4, StartingPointSkip::TooFewFields}, {7, StartingPointSkip::NotANumber}};
    EXPECT_EQ(ListedSkips(report), 2);
    EXPECT_EQ(SkippedLineText(report.Skipped[0]), "");
    EXPECT_EQ(SkippedLineText(report.Skipped[1]), "line 4: fewer than four fields");
    EXPECT_EQ(SkippedLineText(report.Skipped[2]), "line 7: easting, northing or angle is not a number");
    EXPECT_EQ(MergeSummaryText(report, {3, 1}),
              "Starting points: 3 lines have one, 1 line has none; 2 lines of the file were skipped.");
    EXPECT_EQ(MergeSummaryText({}, {1, 0}), "Starting points: 1 line has one, 0 lines have none.");
}

} // namespace
} // namespace tolvanor
