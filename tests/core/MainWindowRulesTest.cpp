// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <tuple>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;
static_assert(DataTypeListCount == DataTypeCount);

// The window's own round trip, first run and missing folder are tested with
// the window; here what it never writes: an index outside its list.
TEST(MainSettings, AnIndexOutsideItsListIsZeroAndAPresentFolderIsKept) {
    MemorySettingsStore store;
    const std::string folder = fs::temp_directory_path().string();
    store.Save(SettingsKey::UseDefault, "True");
    store.Save(SettingsKey::DataType, "9");
    store.Save(SettingsKey::SortOrder, "6");
    store.Save(SettingsKey::OutputDirectoryPath, folder);
    store.Save(SettingsKey::OutputPrefix, "beach");
    const auto restored = RestoreMainSettings(store, "/home/crew");
    ASSERT_EQ(restored.Start, SettingsStart::Restored);
    EXPECT_EQ(std::tuple(restored.Values.DataType, restored.Values.SortOrder), std::tuple(0, 6));
    EXPECT_EQ(std::tuple(restored.Values.OutputDirectoryPath, restored.Values.OutputPrefix),
              std::tuple(folder, std::string("beach")));
    EXPECT_TRUE(restored.FolderMessage.empty());
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
    EXPECT_TRUE(ThinIncrementValid("3") && !ThinIncrementValid("0") && !ThinIncrementValid("-2") &&
                !ThinIncrementValid(""));
}

// The window shows the root, a folder and a long path; here the exact cut
// at 60 characters and the prefix prompt's text.
TEST(OutputFolderTools, PreviewAndPrefixPrompt) {
    const std::string sep(1, OutputPathSeparator);
    const std::string folder = sep + std::string(70, 'f');
    const std::string whole = folder + sep + "job.xxx";
    EXPECT_EQ(OutputFileStringPreview(folder, "job"), "..." + whole.substr(whole.size() - 60));
    EXPECT_EQ(OutputFileStringPreview(sep + std::string(51, 'f'), "job").size(), 60u); // exactly 60: not cut
    testing::ScriptedPrompter prompter;
    EXPECT_FALSE(AskOutputPrefix(prompter).has_value());
    prompter.QueueText("beach");
    EXPECT_EQ(AskOutputPrefix(prompter), std::optional<std::string>("beach"));
    EXPECT_EQ(prompter.Calls()[0].Input.Prompt,
              "Prefix each output filename with this text\n\r    (Project Name is suggested prefix)");
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
