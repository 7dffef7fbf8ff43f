// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/LoadCommands.h"

#include "core/Job.h"
#include "input/DataType.h"
#include "input/InputTestSupport.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace tolvanor {
namespace {

using testing::JobDifference;
using testing::ScriptedPrompter;
using Texts = std::vector<std::string>;

const std::string NoDataMessage = "No data in the selected format was found in the input file.\r\n"
                                  "Please check your format selection to make sure it matches the source data.";

class LoadCommandsTest : public ::testing::Test {
protected:
    std::string Source(std::string_view name, std::string_view text) {
        const auto path = folder.File(name);
        testing::WriteBytes(path, text);
        return path;
    }

    testing::TempFolder folder;
    Job job;
    ScriptedPrompter prompter;
    ReadOptions options;
};

TEST_F(LoadCommandsTest, AppendNeedsAFileNameAndAnExistingFile) {
    auto result = AppendData(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::NoSourceFile);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].Message.Text, "Please select a source file");
    EXPECT_EQ(prompter.Calls()[0].Message.Icon, MessageIcon::Exclamation);

    prompter.Reset();
    options.SourceFileName = folder.File("gone.csv");
    result = AppendData(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::SourceMissing);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].Message.Text, "Selected source file does not exist.  Please select another file.");
    EXPECT_EQ(prompter.Calls()[0].Message.Title, "Error");
    EXPECT_EQ(prompter.Calls()[0].Message.Icon, MessageIcon::Exclamation);
}

TEST_F(LoadCommandsTest, AppendReportsLinesAddedAndSaysNothingWhenAFileAddsNothing) {
    options.SourceFileName = Source("a.csv", "1,0,0,0,PRO1\n2,0,0,0,PRO2\n");
    auto result = AppendData(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::Loaded);
    EXPECT_EQ(result.LinesBefore, 0);
    EXPECT_EQ(result.LinesAfter, 2);
    EXPECT_EQ(result.RecordsStored, 2);

    options.SourceFileName = Source("empty.csv", "REM nothing here\n");
    result = AppendData(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::Loaded);
    EXPECT_EQ(result.RecordsStored, 0);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(LoadCommandsTest, NewFileOnAFileWithoutDataClearsTheJobAndSaysSo) {
    options.SourceFileName = Source("a.csv", "1,0,0,0,PRO1\n");
    NewFile(job, options, prompter);
    options.SourceFileName = Source("b.csv", "1,2,3,4,STN 1\n");
    const auto result = NewFile(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::NoData);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(prompter.Messages(), Texts{NoDataMessage});
}

TEST_F(LoadCommandsTest, AFailedAppendStopsAfterItsOwnMessageWithTheJobUntouched) {
    options.SourceFileName = Source("a.csv", "1,0,0,0,PRO1\n2,0,0,0,PRO2\n");
    AppendData(job, options, prompter);
    job.DataChanged = true;
    const Job before = job;
    options.SourceFileName = Source("bad.csv", "1,0,0,0,PRO3\n2,0,0,x,PRO1\n");
    const auto result = AppendData(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::ReadFailed);
    EXPECT_EQ(result.LinesAfter, 2);
    ASSERT_EQ(prompter.Messages().size(), 1u); // no "No data..." on top
    EXPECT_EQ(prompter.Messages()[0].rfind("There is a problem with the data format", 0), 0u);
    EXPECT_EQ(JobDifference(job, before), "");
}

TEST_F(LoadCommandsTest, AFailedNewFileLeavesAnEmptyJob) {
    options.SourceFileName = Source("a.csv", "1,0,0,0,PRO1\n");
    NewFile(job, options, prompter);
    options.SourceFileName = Source("bad.csv", "1,0,0,0,PRO3\n2,0,0\n");
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::ReadFailed);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.Data.StoredCount(1), 0);
}

TEST_F(LoadCommandsTest, NewFileAsksBeforeDiscardingUnsavedWork) {
    options.SourceFileName = Source("a.csv", "1,0,0,0,PRO1\n");
    NewFile(job, options, prompter);
    job.DataChanged = true;
    const Job before = job;
    options.SourceFileName = Source("b.csv", "1,0,0,0,PRO7\n");

    prompter.Reset();
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::Cancelled);
    EXPECT_EQ(JobDifference(job, before), "");
    ASSERT_EQ(prompter.Calls().size(), 1u);
    const auto& question = prompter.Calls()[0].Message;
    EXPECT_EQ(question.Text,
              "Data has changed but you have not saved your work.\rDo you want to discard it and load the new file?");
    EXPECT_EQ(question.Buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.Icon, MessageIcon::Exclamation);
    EXPECT_EQ(question.Default, DefaultButton::Second);

    // Enter answers No as well.
    prompter.Reset();
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::Cancelled);

    prompter.Reset();
    prompter.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(NewFile(job, options, prompter).Outcome, LoadOutcome::Loaded);
    EXPECT_EQ(job.LineCount, 1);
    EXPECT_EQ(job.LineName(1), "007");
    EXPECT_FALSE(job.DataChanged);

    // Nothing unsaved: no question.
    prompter.Reset();
    NewFile(job, options, prompter);
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(LoadCommandsTest, ReopensASavedJobThroughTheSameCommands) {
    options.SourceFileName = Source("job.tvn", " 0, 0,0,0,0,0,,0,,,False,,0,0,0,0,0\r\n"
                                               " 1, 0,1,5,6,45,,0,,,False,,0,0,0,0,0\r\n"
                                               " 1, 1,1,5,6,1.5,PRO12,0,L,,False,12,0,0,0,0,0\r\n");
    options.DataType = static_cast<int>(DataType::SavedJob);
    const auto result = NewFile(job, options, prompter);
    EXPECT_EQ(result.Outcome, LoadOutcome::Loaded);
    EXPECT_EQ(result.RecordsStored, 3);
    EXPECT_EQ(job.LineName(1), "12");
    EXPECT_EQ(job.Data.Header(1).LineAngle(), 45.0f);
}

} // namespace
} // namespace tolvanor
