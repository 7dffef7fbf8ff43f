// SPDX-License-Identifier: GPL-3.0-or-later
// The load and save commands with the main window's checks and messages.
#include "core/JobFile.h"
#include "input/InputTestSupport.h"
#include "input/LoadCommands.h"
#include "input/SaveCommands.h"

#include <csignal>
#include <sys/resource.h>
#include <tuple>

namespace tolvanor {
namespace {

using namespace testing;

// What a message box shows, to compare in one go.
const auto Shown = [](const MessageRequest& box) { return std::tuple(box.Text, box.Title, box.Icon); };

class CommandsTest : public ::testing::Test {
protected:
    // The options naming a source file that holds `text`.
    const ReadOptions& Source(std::string_view text) {
        options.SourceFileName = folder.File("source.csv");
        WriteBytes(options.SourceFileName, text);
        return options;
    }
    // Unsaved lines of `shots` shots each.
    void AddLines(int count, int shots = 1) {
        std::string text;
        for (int i = 0; i < count * shots; ++i) text += "1,400000.125,0,0,PRO" + std::to_string(i / shots) + "\n";
        ReadText(job, text, prompter);
        job.DataChanged = true;
    }

    TempFolder folder;
    Job job;
    ScriptedPrompter prompter;
    ReadOptions options;
};

TEST_F(CommandsTest, AppendChecksItsSourceAndReportsNoDataOnlyForAJobLeftWithoutLines) {
    EXPECT_EQ(AppendData(job, options, prompter).Outcome, LoadOutcome::NoSourceFile);
    options.SourceFileName = folder.File("gone.csv");
    EXPECT_EQ(AppendData(job, options, prompter).Outcome, LoadOutcome::SourceMissing);
    ASSERT_EQ(prompter.Calls().size(), 2u);
    EXPECT_EQ(Shown(prompter.Calls()[0].Message),
              std::tuple("Please select a source file", "", MessageIcon::Exclamation));
    EXPECT_EQ(Shown(prompter.Calls()[1].Message),
              std::tuple("Selected source file does not exist.  Please select another file.", "Error",
                         MessageIcon::Exclamation));

    prompter.Reset();
    EXPECT_EQ(AppendData(job, Source("1,0,0,0,PRO1\n2,0,0,0,PRO2\n"), prompter).LinesAfter, 2);
    // Nothing added to a job that holds lines is no error.
    EXPECT_EQ(AppendData(job, Source("REM nothing here\n"), prompter).Outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(prompter.Messages().empty());

    EXPECT_EQ(NewFile(job, Source("1,2,3,4,STN 1\n"), prompter).Outcome, LoadOutcome::NoData);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(prompter.Messages(), Texts{"No data in the selected format was found in the input file.\r\nPlease "
                                         "check your format selection to make sure it matches the source data."});
}

TEST_F(CommandsTest, AFailedReadStopsAfterItsOwnMessageAndKeepsNothing) {
    AddLines(2);
    const Job before = job;
    EXPECT_EQ(AppendData(job, Source("1,0,0,0,PRO3\n2,0,0,x,PRO1\n"), prompter).Outcome, LoadOutcome::ReadFailed);
    EXPECT_EQ(prompter.Messages(), Texts{FormatMessage("2,0,0,x,PRO1")}); // no "No data..." on top
    EXPECT_EQ(JobDifference(job, before), "");

    prompter.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(NewFile(job, Source("1,0,0,0,PRO3\n2,0,0\n"), prompter).Outcome, LoadOutcome::ReadFailed);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.Data.StoredCount(1), 0);
}

TEST_F(CommandsTest, NewFileAsksBeforeDiscardingUnsavedWork) {
    AddLines(1);
    const Job before = job;
    Source("1,0,0,0,PRO7\n");
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::Cancelled);
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::Cancelled); // Enter answers No as well
    EXPECT_EQ(JobDifference(job, before), "");
    ASSERT_EQ(prompter.Calls().size(), 2u);
    const auto& question = prompter.Calls()[0].Message;
    EXPECT_EQ(Shown(question), std::tuple("Data has changed but you have not saved your work.\rDo you want to "
                                          "discard it and load the new file?",
                                          "", MessageIcon::Exclamation));
    EXPECT_EQ(std::tuple(question.Buttons, question.Default), std::tuple(MessageButtons::YesNo, DefaultButton::Second));

    prompter.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::Loaded);
    EXPECT_EQ(Lines(job), "007:1");
    EXPECT_FALSE(job.DataChanged);
    NewFile(job, options, prompter); // nothing unsaved: no question
    EXPECT_EQ(prompter.Calls().size(), 3u);
}

TEST_F(CommandsTest, SaveDataAsksForANameAndClearsTheChangedFlag) {
    EXPECT_EQ(SaveData(job, prompter).Outcome, SaveOutcome::NothingToSave); // no lines, no dialog
    EXPECT_TRUE(prompter.Calls().empty());
    AddLines(2);
    EXPECT_EQ(SaveData(job, prompter).Outcome, SaveOutcome::Cancelled); // the dialog answers nothing
    EXPECT_TRUE(job.DataChanged);
    const auto& dialog = prompter.Calls().at(0).File;
    EXPECT_EQ(std::tuple(dialog.Title, dialog.Filter, dialog.DefaultExtension),
              std::tuple("Save Work in Process", "Tolvanor (.tvn)|*.tvn|All Files (*.*)|*.*|", "tvn"));

    prompter.QueueText(folder.File("work"));
    const auto result = SaveData(job, prompter);
    EXPECT_EQ(std::tuple(result.Outcome, result.Path), std::tuple(SaveOutcome::Saved, folder.File("work.tvn")));
    EXPECT_FALSE(job.DataChanged);
    EXPECT_EQ(ReadBytes(result.Path), JobFileText(job));
    EXPECT_EQ(folder.EntryCount(), 1); // no temporary file left beside it
    // ".tvn" is added unless the name ends in it, in any case.
    EXPECT_EQ(SaveDataAs(job, folder.File("a.TVN"), prompter).Path, folder.File("a.TVN"));
    EXPECT_EQ(SaveDataAs(job, folder.File("b.tv"), prompter).Path, folder.File("b.tv.tvn"));
    EXPECT_EQ(SaveDataAs(job, folder.File("c.tvn.txt"), prompter).Path, folder.File("c.tvn.txt.tvn"));
}

TEST_F(CommandsTest, ASaveFailingPartWayLeavesThePreviousFileAsItWas) {
    AddLines(1);
    const auto path = folder.File("job.tvn");
    ASSERT_EQ(SaveDataAs(job, path, prompter).Outcome, SaveOutcome::Saved);
    const auto previous = ReadBytes(path);
    AddLines(60, 200); // far more than the limit below lets through
    // Files may grow to 8 KiB only; a write past it fails (EFBIG) instead of raising a signal.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{8192, saved.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto result = SaveDataAs(job, path, prompter);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(result.Outcome, SaveOutcome::Failed);
    EXPECT_TRUE(job.DataChanged);
    EXPECT_EQ(ReadBytes(path), previous);
    EXPECT_EQ(prompter.Messages(), Texts{"Unable to save the job file.\r\n" + path + "\r\nFile too large"});
    EXPECT_EQ(folder.EntryCount(), 1);
}

TEST_F(CommandsTest, SaveAndExitQuitsOnlyWhenSavedOrThereIsNothingToSave) {
    auto result = SaveAndExit(job, "", prompter);
    EXPECT_EQ(std::tuple(result.Quit, result.Save.Outcome), std::tuple(true, SaveOutcome::NothingToSave));
    EXPECT_TRUE(prompter.Calls().empty());

    AddLines(1);
    EXPECT_FALSE(SaveAndExit(job, "", prompter).Quit); // no prefix given
    ASSERT_EQ(prompter.Calls().size(), 2u);
    const auto& input = prompter.Calls()[0].Input;
    EXPECT_EQ(std::tuple(input.Prompt, input.Title),
              std::tuple("Enter File Name for Output (no Extension)", "No Output File Specified"));
    EXPECT_EQ(Shown(prompter.Calls()[1].Message), std::tuple("No name supplied so your data has not been saved!",
                                                             "No Output File Specified", MessageIcon::Exclamation));
    const auto path = folder.File("missing/survey");
    result = SaveAndExit(job, path, prompter);
    EXPECT_EQ(std::tuple(result.Quit, result.Save.Outcome), std::tuple(false, SaveOutcome::Failed));
    EXPECT_TRUE(job.DataChanged);
    EXPECT_EQ(prompter.Messages().back(),
              "Unable to save the job file.\r\n" + path + ".tvn\r\nNo such file or directory");

    prompter.QueueText(folder.File("survey"));
    result = SaveAndExit(job, "", prompter);
    EXPECT_EQ(std::tuple(result.Quit, result.OutputPrefix, result.Save.Path),
              std::tuple(true, folder.File("survey"), folder.File("survey.tvn")));
    EXPECT_FALSE(job.DataChanged);
    EXPECT_EQ(ReadBytes(result.Save.Path), JobFileText(job));
    // A prefix already set is used as it is, even one ending in ".tvn".
    EXPECT_EQ(SaveAndExit(job, folder.File("b.tvn"), prompter).Save.Path, folder.File("b.tvn.tvn"));
}

} // namespace
} // namespace tolvanor
