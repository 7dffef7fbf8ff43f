// SPDX-License-Identifier: GPL-3.0-or-later
// tolvanor-batch against what a hostile world does to it: sounder data whose
// rounding matters, starting-point files that cannot be read, profile numbers
// no file name may hold, writes that fail or are killed half-way, files that
// start with a byte-order mark, and the command's own rules for empty values
// and limits.
#include "BatchTestSupport.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <thread>

namespace tolvanor::testing {
namespace {

// A Trimble source of `profiles` profiles of `shots` land shots each.
std::string TrimbleSource(int profiles, int shots) {
    std::string text;
    text.reserve(static_cast<std::size_t>(profiles) * static_cast<std::size_t>(shots) * 48);
    int seq = 1;
    for (int profile = 1; profile <= profiles; ++profile) {
        for (int shot = 1; shot <= shots; ++shot, ++seq) {
            text += std::to_string(seq) + "," + std::to_string(500000 + shot) + ".125," +
                    std::to_string(4100000 + profile * 10) + ".5,3.25,PRO" + std::to_string(profile) + " L\r\n";
        }
    }
    return text;
}

TEST_F(BatchRun, OneSounderShotRoundsItsTrueElevationOnceInEveryDeliverable) {
    WriteAll(work_ / "sounder.txt", "PRO1,100,200,0,0.25,0,0,0,1\r\n");
    const auto run = Batch({"sounder.txt", "--type", "6", "--formats", "csv,xyz,irp,se,rer,xls", "--out", "out",
                            "--prefix", "p", "--locality", "0101", "--date", "261206", "--save-job", "out/job"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // -(1 - 0 - 0.25) = -0.75 rounds to -.8; from the rounded tide (.3) it would be -.7.
    EXPECT_EQ(ReadAll(Out("p.csv")), "1,100.0000,200.0000,-.8,PRO1\r\n");
    EXPECT_EQ(ReadAll(Out("p.xyz")), "          100.0000         200.0000        -0.8    PRO1\r\n");
    EXPECT_NE(ReadAll(Out("p.rer")).find("      0         -8   PRO1\r\n"), std::string::npos);
    EXPECT_EQ(ReadAll(Out("p.se")), "     0     0   1\r\n     0   -.8   0\r\n");
    EXPECT_NE(ReadAll(Out("p.irp")).find("   -8       001     0   -8\r\n"), std::string::npos);
    EXPECT_NE(ReadAll(Out("job.tvn")).find(" 1, 1,1,100,200,-0.8,PRO1,0,W,"), std::string::npos);
    const std::string xls = ReadAll(Out("p.xls"));
    const double elevation = -0.8;
    EXPECT_NE(xls.find(std::string(reinterpret_cast<const char*>(&elevation), sizeof elevation)), std::string::npos);
}

TEST_F(BatchRun, AStartingPointFileThatCannotBeReadStopsTheRun) {
    WriteAll(work_ / "locked.spf", "11,512000,4108300,290\r\n");
    fs::permissions(work_ / "locked.spf", fs::perms::none);
    fs::permissions(work_, fs::perms::all);
    fs::permissions(Out(), fs::perms::all);
    // Root reads a mode-000 file, so an ordinary user runs it.
    const std::string prefix = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const auto run = Batch({Sample("survey-trimble.csv"), "--spf", "locked.spf", "--formats", "csv", "--out", "out",
                            "--prefix", "p", "--save-job", "out/job"},
                           prefix);
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_EQ(run.Err, "Unable to read the starting point file locked.spf\nPermission denied\n");
    EXPECT_TRUE(OutFiles().empty()) << "nothing written, no job saved";
}

TEST_F(BatchRun, ProfileNumbersMakeFileNamesWithoutForbiddenBytes) {
    using namespace std::string_literals;
    WriteAll(work_ / "sounder.txt", "PRO1\0Q/2,100,200,0,0.25,0,0,0,1\r\n"s);
    const auto run = Batch({"sounder.txt", "--type", "6", "--no-three-digits", "--formats", "csv,xyz", "--individual",
                            "--out", "out", "--prefix", "p"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"p_1_Q_2.csv", "p_1_Q_2.xyz"}));
    // Inside the files the profile keeps its bytes.
    EXPECT_EQ(ReadAll(Out("p_1_Q_2.csv")), "1,100.0000,200.0000,-.8,PRO1\0Q/2\r\n"s);
}

TEST_F(BatchRun, AWriteThatFailsPartWayKeepsTheOldFile) {
    WriteAll(work_ / "big.csv", TrimbleSource(4, 500));
    const std::string old = "the deliverable of yesterday\r\n";
    WriteAll(Out() / "p.csv", old);
    // A file-size limit of 8 KB: the new .csv stops part-way.
    const auto run =
        Batch({"big.csv", "--formats", "csv", "--overwrite", "--out", "out", "--prefix", "p"}, "ulimit -f 16 && ");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "out/p.csv already exists! \nDo you wish to overwrite this file?\n"
                       "Unable to write output file out/p.csv\nFile too large\n"
                       "Some output files could not be created.\n");
    EXPECT_EQ(ReadAll(Out("p.csv")), old);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"p.csv"});
}

// Starts the program and sends `signal` once it has a file open in out/.
class Interrupted : public BatchRun {
protected:
    int RunUntilWriting(const std::vector<std::string>& args, int signal) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(work_.c_str()) != 0) ::_exit(120);
            const int sink = ::open("/dev/null", O_WRONLY);
            ::dup2(sink, 1);
            ::dup2(sink, 2);
            std::vector<char*> argv{const_cast<char*>(TOLVANOR_BATCH_EXE)};
            for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(TOLVANOR_BATCH_EXE, argv.data());
            ::_exit(121);
        }
        const std::string out = Out().string() + "/";
        const std::string fds = "/proc/" + std::to_string(child) + "/fd";
        bool sent = false;
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!sent && std::chrono::steady_clock::now() < give_up) {
            std::error_code error;
            for (const auto& fd : fs::directory_iterator(fds, error)) {
                const auto target = fs::read_symlink(fd.path(), error).string();
                if (!error && target.starts_with(out)) {
                    ::kill(child, signal);
                    sent = true;
                    break;
                }
            }
            int raw = 0;
            if (!sent && ::waitpid(child, &raw, WNOHANG) == child) return -1; // finished before writing was seen
        }
        if (!sent) ::kill(child, SIGKILL);
        int raw = 0;
        ::waitpid(child, &raw, 0);
        return sent && WIFSIGNALED(raw) ? WTERMSIG(raw) : -1;
    }
};

TEST_F(Interrupted, AKillDuringOverwriteLeavesTheOldDeliverable) {
    WriteAll(work_ / "big.csv", TrimbleSource(300, 1000));
    const std::string old = "the deliverable of yesterday\r\n";
    WriteAll(Out() / "p.csv", old);
    ASSERT_EQ(RunUntilWriting({"big.csv", "--formats", "csv", "--overwrite", "--out", "out", "--prefix", "p"}, SIGKILL),
              SIGKILL);
    EXPECT_EQ(ReadAll(Out("p.csv")), old);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"p.csv"});
}

TEST_F(Interrupted, TerminatingABigSaveLeavesNoTemporaryFile) {
    WriteAll(work_ / "big.csv", TrimbleSource(300, 1000));
    WriteAll(Out() / "big.tvn", "the job of yesterday\r\n");
    ASSERT_EQ(RunUntilWriting({"big.csv", "--save-job", "out/big.tvn"}, SIGTERM), SIGTERM);
    EXPECT_EQ(ReadAll(Out("big.tvn")), "the job of yesterday\r\n");
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"big.tvn"});
}

TEST_F(BatchRun, FilesWithAByteOrderMarkReadLikeTheSameFilesWithout) {
    const std::string mark = "\xEF\xBB\xBF";
    for (const char* name : {"survey.tvn", "survey.spf", "survey.itf", "survey-trimble.csv", "survey-sounder.txt"})
        WriteAll(work_ / name, mark + ReadAll(Sample(name)));
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> runs{
        // A saved job, its starting points and the ISRP template.
        {{"survey.tvn", "--type", "5", "--spf", "survey.spf", "--template", "survey.itf"},
         {Sample("survey.tvn"), "--type", "5", "--spf", Sample("survey.spf"), "--template", Sample("survey.itf")}},
        {{"survey-trimble.csv", "--type", "0", "--spf", "survey.spf"},
         {Sample("survey-trimble.csv"), "--type", "0", "--spf", Sample("survey.spf")}},
        {{"survey-sounder.txt", "--type", "6"}, {Sample("survey-sounder.txt"), "--type", "6"}},
    };
    for (const auto& [marked, plain] : runs) {
        std::vector<std::string> outputs;
        for (auto args : {marked, plain}) {
            fs::remove_all(Out());
            fs::create_directories(Out());
            for (const char* more : {"--no-three-digits", "--formats", "csv,irp", "--out", "out", "--prefix", "p",
                                     "--locality", "0412", "--date", "261014", "--save-job", "out/job"})
                args.push_back(more);
            const auto run = Batch(args);
            EXPECT_EQ(run.Status, 0) << args[0] << ": " << run.Err;
            outputs.push_back(ReadAll(Out("p.csv")) + ReadAll(Out("p.irp")) + ReadAll(Out("job.tvn")) + run.Err);
        }
        EXPECT_EQ(outputs[0], outputs[1]) << marked[0];
        EXPECT_NE(outputs[0].find("\r\n"), std::string::npos);
    }
}

TEST_F(BatchRun, EmptyValuesAndLimits) {
    WriteAll(work_ / "full.csv", TrimbleSource(1, 3000)); // one shot more than a profile holds
    WriteAll(Out() / "kept.csv", "kept");
    const std::vector<std::pair<std::vector<std::string>, int>> cases{
        {{Sample("survey-trimble.csv"), "--spf", "", "--template", "", "--save-job", "out/job"}, 0},
        {{"full.csv", "--save-job", "out/job"}, 4},
        // Data was left out: that outweighs a format skipped for an existing file.
        {{"full.csv", "--formats", "csv", "--out", "out", "--prefix", "kept"}, 4},
    };
    for (const auto& [args, status] : cases) {
        const auto run = Batch(args);
        EXPECT_EQ(run.Status, status) << args.back() << ": " << run.Err;
    }
    EXPECT_EQ(ReadAll(Out("kept.csv")), "kept");
    EXPECT_TRUE(fs::exists(Out("job.tvn")));

    // --out "" is the current folder, not the root.
    const auto here = Batch({Sample("survey-trimble.csv"), "--formats", "csv", "--out", "", "--prefix", "here"});
    EXPECT_EQ(here.Status, 0) << here.Err;
    EXPECT_TRUE(fs::exists(work_ / "here.csv"));
}

} // namespace
} // namespace tolvanor::testing
