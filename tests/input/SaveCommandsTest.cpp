// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/SaveCommands.h"

#include "core/Job.h"
#include "core/JobFile.h"
#include "input/AddShot.h"
#include "input/InputTestSupport.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;
using Texts = std::vector<std::string>;

void AddShots(Job& job, int profiles, int shots) {
    for (int profile = 1; profile <= profiles; ++profile) {
        for (int shot = 1; shot <= shots; ++shot) {
            ShotRecord record;
            record.SetProfileNumber("P" + std::to_string(profile));
            record.SetRemark("PRO" + std::to_string(profile));
            record.SeqNum = shot;
            record.Easting = 400000.125 + shot;
            AddShot(job, record);
        }
    }
}

// Files may grow to `bytes` only; a write past it fails (EFBIG) instead of
// raising a signal. Root can write any folder, but not past this limit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

class SaveCommandsTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    Job job;
    ScriptedPrompter prompter;
};

TEST_F(SaveCommandsTest, SaveDataAsksForANameAndClearsTheChangedFlag) {
    AddShots(job, 2, 3);
    job.DataChanged = true;
    prompter.QueueText(folder.File("work"));
    const auto result = SaveData(job, prompter);
    EXPECT_EQ(result.Outcome, SaveOutcome::Saved);
    EXPECT_EQ(result.Path, folder.File("work.tvn"));
    EXPECT_FALSE(job.DataChanged);
    EXPECT_EQ(testing::ReadBytes(result.Path), JobFileText(job));
    ASSERT_EQ(prompter.Calls().size(), 1u);
    const auto& dialog = prompter.Calls()[0].File;
    EXPECT_EQ(dialog.Title, "Save Work in Process");
    EXPECT_EQ(dialog.Filter, "Tolvanor (.tvn)|*.tvn|All Files (*.*)|*.*|");
    EXPECT_EQ(dialog.DefaultExtension, "tvn");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(SaveCommandsTest, AddsTheJobExtensionUnlessTheNameEndsInIt) {
    AddShots(job, 1, 1);
    EXPECT_EQ(SaveDataAs(job, folder.File("a.TVN"), prompter).Path, folder.File("a.TVN"));
    EXPECT_EQ(SaveDataAs(job, folder.File("b.tv"), prompter).Path, folder.File("b.tv.tvn"));
    EXPECT_EQ(SaveDataAs(job, folder.File("c.tvn.txt"), prompter).Path, folder.File("c.tvn.txt.tvn"));
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(SaveCommandsTest, SaveDataDoesNothingWithoutLinesOrAName) {
    EXPECT_EQ(SaveData(job, prompter).Outcome, SaveOutcome::NothingToSave);
    EXPECT_EQ(SaveDataAs(job, folder.File("x"), prompter).Outcome, SaveOutcome::NothingToSave);
    EXPECT_TRUE(prompter.Calls().empty());

    AddShots(job, 1, 1);
    job.DataChanged = true;
    EXPECT_EQ(SaveData(job, prompter).Outcome, SaveOutcome::Cancelled); // the dialog answers nothing
    EXPECT_TRUE(job.DataChanged);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(SaveCommandsTest, ASaveFailingPartWayLeavesThePreviousFileAsItWas) {
    AddShots(job, 1, 2);
    const auto path = folder.File("job.tvn");
    ASSERT_EQ(SaveDataAs(job, path, prompter).Outcome, SaveOutcome::Saved);
    const auto previous = testing::ReadBytes(path);

    AddShots(job, 60, 200); // far more than the limit below lets through
    job.DataChanged = true;
    SaveResult result;
    {
        FileSizeLimit limit(8192);
        result = SaveDataAs(job, path, prompter);
    }
    EXPECT_EQ(result.Outcome, SaveOutcome::Failed);
    EXPECT_TRUE(job.DataChanged);
    EXPECT_EQ(testing::ReadBytes(path), previous);
    EXPECT_EQ(prompter.Messages(), Texts{"Unable to save the job file.\r\n" + path + "\r\nFile too large"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(SaveCommandsTest, ASaveIntoAMissingFolderIsReported) {
    AddShots(job, 1, 1);
    job.DataChanged = true;
    const auto path = folder.File("missing/job.tvn");
    EXPECT_EQ(SaveDataAs(job, path, prompter).Outcome, SaveOutcome::Failed);
    EXPECT_EQ(prompter.Messages(), Texts{"Unable to save the job file.\r\n" + path + "\r\nNo such file or directory"});
    EXPECT_TRUE(job.DataChanged);
}

TEST_F(SaveCommandsTest, SavingOverAFolderFailsAndLeavesNoTemporaryFile) {
    AddShots(job, 1, 1);
    std::filesystem::create_directory(folder.File("taken.tvn"));
    EXPECT_EQ(SaveDataAs(job, folder.File("taken.tvn"), prompter).Outcome, SaveOutcome::Failed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(SaveCommandsTest, SaveKeepsTheFilesPermissionsAndALinkToIt) {
    AddShots(job, 1, 1);
    const auto target = folder.File("real.tvn");
    testing::WriteBytes(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(target, folder.File("link.tvn"));
    ASSERT_EQ(SaveDataAs(job, folder.File("link.tvn"), prompter).Outcome, SaveOutcome::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.tvn")));
    EXPECT_EQ(testing::ReadBytes(target), JobFileText(job));
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(SaveCommandsTest, SaveAndExitQuitsAtOnceWithoutLines) {
    const auto result = SaveAndExit(job, "", prompter);
    EXPECT_TRUE(result.Quit);
    EXPECT_EQ(result.Save.Outcome, SaveOutcome::NothingToSave);
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(SaveCommandsTest, SaveAndExitStaysWhenNoPrefixIsGivenOrTheSaveFails) {
    AddShots(job, 1, 1);
    job.DataChanged = true;
    const auto result = SaveAndExit(job, "", prompter);
    EXPECT_FALSE(result.Quit);
    EXPECT_TRUE(job.DataChanged);
    ASSERT_EQ(prompter.Calls().size(), 2u);
    EXPECT_EQ(prompter.Calls()[0].Input.Prompt, "Enter File Name for Output (no Extension)");
    EXPECT_EQ(prompter.Calls()[0].Input.Title, "No Output File Specified");
    const auto& refusal = prompter.Calls()[1].Message;
    EXPECT_EQ(refusal.Text, "No name supplied so your data has not been saved!");
    EXPECT_EQ(refusal.Title, "No Output File Specified");
    EXPECT_EQ(refusal.Icon, MessageIcon::Exclamation);

    // A failed save does not quit either.
    prompter.Reset();
    const auto failed = SaveAndExit(job, folder.File("missing/survey"), prompter);
    EXPECT_FALSE(failed.Quit);
    EXPECT_EQ(failed.Save.Outcome, SaveOutcome::Failed);
    EXPECT_TRUE(job.DataChanged);
}

TEST_F(SaveCommandsTest, SaveAndExitWritesPrefixDotTvnThenQuits) {
    AddShots(job, 1, 1);
    job.DataChanged = true;
    prompter.QueueText(folder.File("survey"));
    const auto result = SaveAndExit(job, "", prompter);
    EXPECT_TRUE(result.Quit);
    EXPECT_EQ(result.OutputPrefix, folder.File("survey"));
    EXPECT_EQ(result.Save.Path, folder.File("survey.tvn"));
    EXPECT_FALSE(job.DataChanged);
    EXPECT_TRUE(std::filesystem::exists(folder.File("survey.tvn")));

    // A prefix already set is used as it is, even one ending in ".tvn".
    prompter.Reset();
    EXPECT_EQ(SaveAndExit(job, folder.File("b.tvn"), prompter).Save.Path, folder.File("b.tvn.tvn"));
    EXPECT_TRUE(prompter.Calls().empty());
}

} // namespace
} // namespace tolvanor
