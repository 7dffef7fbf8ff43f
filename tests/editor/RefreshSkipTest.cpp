// SPDX-License-Identifier: GPL-3.0-or-later
// The refresh after each load skips lines an earlier pass found unchanged:
// random multi-source jobs (land and sounder sources, profiles arriving in
// any order, starting points, edits and failed reads between the loads)
// must end exactly as when every refresh passes every line.
#include "editor/EditTestSupport.h"
#include "input/LoadCommands.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;

using testing::PassSession;

// Random source text: a few profiles from a small pool, in any order, as
// land shots (type 0) or sounder shots (type 6) with unrounded values.
std::string RandomSource(std::mt19937& random, int dataType, bool broken) {
    std::uniform_int_distribution<int> profile(1, 14);
    std::uniform_int_distribution<int> shots(1, 30);
    std::uniform_real_distribution<double> offset(-300.0, 300.0);
    std::uniform_real_distribution<double> small(0.0, 7.0);
    const char* const landTypes[] = {"L", "B", "W", "S"};
    std::string text;
    int seq = 1;
    for (int group = std::uniform_int_distribution<int>(1, 3)(random); group > 0; --group) {
        const std::string name = std::to_string(profile(random));
        for (int shot = shots(random); shot > 0; --shot) {
            const double east = 512000.0 + offset(random);
            const double north = 4108000.0 + offset(random);
            if (dataType == 6) {
                text += "PRO" + name + "," + std::to_string(east) + "," + std::to_string(north) + ",0," +
                        std::to_string(small(random) / 7) + "," + std::to_string(small(random) / 20 - 0.15) +
                        ",0.0,0.0," + std::to_string(small(random)) + "\r\n";
            } else {
                text += std::to_string(seq++) + "," + std::to_string(east) + "," + std::to_string(north) + "," +
                        std::to_string(small(random) - 2) + ",PRO" + name + " " + landTypes[random() % 4] + "\r\n";
            }
        }
    }
    if (broken) text += dataType == 6 ? "PRO3,x,y,0,0,0,0,0,0\r\n" : "9,east,north,1,PRO3 L\r\n";
    return text;
}

std::string StartingPoints(std::mt19937& random) {
    std::string text;
    for (int profile = 1; profile <= 14; ++profile) {
        if (random() % 3 == 0) continue;
        text += std::to_string(profile) + "," + std::to_string(511900.0 + static_cast<double>(random() % 100)) + "," +
                std::to_string(4108300.0 - static_cast<double>(random() % 100)) + "," +
                std::to_string(280 + random() % 30) + "\r\n";
    }
    return text;
}

// The same change to both jobs, as a cell edit or command would make it.
void EditBoth(std::mt19937& random, PassSession& fast, PassSession& full) {
    if (fast.job.LineCount < 2) return;
    const auto line = static_cast<std::int32_t>(1 + random() % static_cast<unsigned>(fast.job.LineCount));
    const int what = static_cast<int>(random() % 3);
    for (PassSession* session : {&fast, &full}) {
        auto& job = session->job;
        if (what == 0) { // a sounder value
            job.Data.Edit(line, 1).DBT += 0.037f;
        } else if (what == 1) { // the line ignored or back
            job.Data.EditHeader(line).LineIgnored() = !job.Data.Header(line).LineIgnored();
        } else { // two lines of one name: every line is then passed as the list names it
            job.Data.Edit(line, 1).SetProfileNumber(job.LineName(line == 1 ? 2 : 1));
        }
    }
}

TEST(RefreshSkip, GivesWhatPassingEveryLineGives) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("refresh-skip-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        PassSession fast(true, true, 40, 120);
        PassSession full(true, false, 40, 120);
        const int sortOrder = static_cast<int>(seed % 7);
        const bool threeDigits = seed % 2 == 0;
        const std::string spf = (folder / "points.spf").string();
        std::ofstream(spf, std::ios::binary) << StartingPoints(random);
        for (PassSession* session : {&fast, &full}) {
            session->editor.Options().SortOrder = sortOrder;
            session->editor.Options().FormatProfileNumbers = threeDigits;
            session->editor.Options().StartingPointFile = seed % 5 == 0 ? std::string() : spf;
        }
        for (int source = 0; source < 12; ++source) {
            ReadOptions read;
            read.DataType = random() % 2 == 0 ? 0 : 6;
            read.FormatProfileNumbers = threeDigits;
            read.SourceFileName = (folder / ("source" + std::to_string(source) + ".txt")).string();
            std::ofstream(read.SourceFileName, std::ios::binary)
                << RandomSource(random, read.DataType, source > 0 && random() % 6 == 0);
            const bool edit = source > 2 && random() % 4 == 0;
            if (edit) EditBoth(random, fast, full);
            for (PassSession* session : {&fast, &full}) {
                const auto loaded = source == 0 ? NewFile(session->job, read, session->prompter)
                                                : AppendData(session->job, read, session->prompter);
                if (loaded.Outcome == LoadOutcome::Loaded) session->editor.RefreshDataEdit();
            }
            testing::ExpectSamePass(fast, full, "after source " + std::to_string(source), false);
            if (::testing::Test::HasFailure()) return;
        }
        // The pass before output, and the one after it, skip alike.
        for (PassSession* session : {&fast, &full}) session->editor.LoadArray();
        testing::ExpectSamePass(fast, full, "after LoadArray", false);
    }
    fs::remove_all(folder);
}

// Once a refresh has found a line unchanged, later refreshes do not touch it:
// the recomputed distances that the pass brings back count as no change.
TEST(RefreshSkip, LinesARefreshLeftUnchangedAreNotTouchedAgain) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("refresh-settle-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        PassSession session(true, true, 40, 120);
        session.editor.Options().SortOrder = static_cast<int>(seed % 7);
        session.editor.Options().StartingPointFile = (folder / "points.spf").string();
        std::ofstream(session.editor.Options().StartingPointFile, std::ios::binary) << StartingPoints(random);
        ReadOptions read;
        read.SourceFileName = (folder / "source.txt").string();
        std::ofstream(read.SourceFileName, std::ios::binary) << RandomSource(random, read.DataType, false);
        ASSERT_EQ(NewFile(session.job, read, session.prompter).Outcome, LoadOutcome::Loaded);
        session.editor.RefreshDataEdit();
        session.editor.RefreshDataEdit();
        std::vector<std::uint64_t> versions;
        for (std::int32_t line = 1; line <= session.job.LineCount; ++line)
            versions.push_back(session.job.Data.LineVersion(line));
        session.editor.RefreshDataEdit();
        for (std::int32_t line = 1; line <= session.job.LineCount; ++line)
            EXPECT_EQ(session.job.Data.LineVersion(line), versions[static_cast<std::size_t>(line - 1)]) << line;
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace tolvanor
