// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include "core/BackgroundFlush.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Files this process holds open that no longer have a name.
int OpenNamelessFiles() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error).string().ends_with(" (deleted)")) ++count;
    }
    return count;
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tolvanor-atomic-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    // "saved", or the reason the save failed.
    static std::string Save(const std::string& path, const std::string& bytes,
                            AtomicFile::Start start = AtomicFile::Start::Empty) {
        AtomicFile file;
        if (!file.Open(path, start) || !file.Write(bytes) || !file.Commit()) return file.Reason();
        return "saved";
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

TEST_F(AtomicFileTest, ReplacesOrAppendsOnlyWhenCommitted) {
    Put("job.tvn", "old");
    {
        AtomicFile file;
        ASSERT_TRUE(file.Open(File("job.tvn"), AtomicFile::Start::Empty));
        ASSERT_TRUE(file.Write("half of the new"));
        EXPECT_EQ(ReadAll(File("job.tvn")), "old");
    } // dropped without Commit
    EXPECT_EQ(ReadAll(File("job.tvn")), "old");
    Put(fs::path(AtomicFile::TemporaryPath(File("job.tvn"))).filename().string(), std::string(4096, 'x')); // stale
    EXPECT_EQ(Save(File("job.tvn"), "new"), "saved");
    EXPECT_EQ(ReadAll(File("job.tvn")), "new");
    EXPECT_EQ(Save(File("cards.irp"), "first\r\n", AtomicFile::Start::WithOldContent), "saved");
    EXPECT_EQ(Save(File("cards.irp"), "second\r\n", AtomicFile::Start::WithOldContent), "saved");
    EXPECT_EQ(ReadAll(File("cards.irp")), "first\r\nsecond\r\n");
    EXPECT_EQ(Names(), (std::vector<std::string>{"cards.irp", "job.tvn"}));
}

TEST_F(AtomicFileTest, KeepsPermissionBitsLinksAndDevices) {
    Put("job.tvn", "old");
    fs::permissions(File("job.tvn"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Save(File("job.tvn"), "new"), "saved");
    EXPECT_EQ(fs::status(File("job.tvn")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link stays a link; the file it names gets the new content.
    fs::create_symlink("job.tvn", folder_ / "link.tvn");
    EXPECT_EQ(Save(File("link.tvn"), "through the link"), "saved");
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.tvn"));
    EXPECT_EQ(ReadAll(File("job.tvn")), "through the link");

    // A device is written in place, never replaced by a file.
    fs::create_symlink("/dev/null", folder_ / "null.csv");
    EXPECT_EQ(Save(File("null.csv"), "discarded"), "saved");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Save(folder_.string(), "a folder"), "Is a directory");
}

// The old content of a large file is let go of on a thread of its own:
// its space comes back soon, not when the program ends.
TEST_F(AtomicFileTest, ALargeReplacedFileIsLetGoOfAfterTheRename) {
    const std::string old(std::size_t{17} << 20, 'o');
    const int before = OpenNamelessFiles();
    Put("job.tvn", old);
    EXPECT_EQ(Save(File("job.tvn"), "new"), "saved");
    EXPECT_EQ(ReadAll(File("job.tvn")), "new");
    Put("cards.irp", old);
    EXPECT_EQ(Save(File("cards.irp"), "more", AtomicFile::Start::WithOldContent), "saved");
    EXPECT_EQ(ReadAll(File("cards.irp")), old + "more");
    EXPECT_EQ(Names(), (std::vector<std::string>{"cards.irp", "job.tvn"}));
    for (int wait = 0; wait < 500 && OpenNamelessFiles() > before; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(OpenNamelessFiles(), before);
}

// A large file is flushed while it is written, by a thread of its own: the
// bytes stay in order, and a flush that failed fails the save.
TEST_F(AtomicFileTest, ALargeFileIsFlushedWhileItGrows) {
    std::string expected;
    {
        AtomicFile file;
        ASSERT_TRUE(file.Open(File("job.tvn"), AtomicFile::Start::Empty));
        for (int piece = 0; piece < 40; ++piece) {
            const std::string bytes(std::size_t{1} << 20, static_cast<char>('a' + piece % 26));
            ASSERT_TRUE(file.Write(bytes));
            expected += bytes;
        }
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_TRUE(ReadAll(File("job.tvn")) == expected);
    EXPECT_EQ(Names(), std::vector<std::string>{"job.tvn"});

    BackgroundFlush failing(-1);
    failing.More();
    EXPECT_EQ(failing.Finish(), EBADF);
}

// The superuser may write anything, so an ordinary user tries it.
TEST_F(AtomicFileTest, ATargetTheUserMayNotWriteIsNotReplaced) {
    Put("locked.tvn", "old");
    fs::permissions(File("locked.tvn"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder_, fs::perms::all);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ::_exit(Save(File("locked.tvn"), "new") == "Permission denied" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(File("locked.tvn")), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"locked.tvn"});
}

} // namespace
} // namespace tolvanor
