// SPDX-License-Identifier: GPL-3.0-or-later
// Reading in chunks parsed side by side must give exactly what reading line
// after line gives: the same job, the same messages in the same order, the
// same result, whatever the layout, the chunk size and the number of workers.
#include "input/AddShot.h"
#include "input/ChunkedLines.h"
#include "input/InputTestSupport.h"
#include "input/ShotLineParser.h"

#include <random>

namespace tolvanor {
namespace {

using namespace testing;

// Gives its bytes a few at a time; fails at `failAt` when that is within them.
class FailingSource : public ByteSource {
public:
    FailingSource(std::string_view bytes, std::size_t failAt, std::size_t step)
        : bytes_(bytes.substr(0, failAt)), fails_(failAt <= bytes.size()), step_(step) {}
    std::size_t Read(char* into, std::size_t capacity) override {
        const std::size_t count = std::min({capacity, bytes_.size(), step_});
        std::memcpy(into, bytes_.data(), count);
        bytes_.remove_prefix(count);
        failed_ = fails_ && count == 0;
        return count;
    }
    bool Failed() const override { return failed_; }
    std::int64_t Size() const override { return 0; }

private:
    std::string_view bytes_;
    bool fails_;
    std::size_t step_;
    bool failed_ = false;
};

// The lines as the chunks give them, and how the source ended.
struct ChunkedOutcome {
    Texts Lines;
    bool Failed = false;
    std::int64_t BytesRead = 0;
    bool operator==(const ChunkedOutcome&) const = default;
};

ChunkedOutcome LinesByChunks(ByteSource& source, const ChunkSettings& settings) {
    ChunkedLines chunks(source, settings);
    std::vector<Texts> parsed(chunks.SlotCount());
    ChunkedOutcome outcome;
    chunks.Run(
        [&](std::size_t slot, const Chunk& chunk) {
            parsed[slot].clear();
            ChunkLines lines(chunk.Text);
            for (std::string_view line; lines.Next(line);) parsed[slot].emplace_back(line);
        },
        [&](std::size_t slot, const Chunk& chunk) {
            outcome.Lines.insert(outcome.Lines.end(), parsed[slot].begin(), parsed[slot].end());
            outcome.Failed = chunk.SourceFailed;
            outcome.BytesRead = chunk.BytesRead;
            return true;
        });
    return outcome;
}

ChunkedOutcome LinesByLineReader(ByteSource& source) {
    LineReader reader(source, 5);
    ChunkedOutcome outcome;
    for (std::string_view line; reader.Next(line);) outcome.Lines.emplace_back(line);
    outcome.Failed = reader.Failed();
    return outcome;
}

TEST(ChunkedLines, GiveTheLineReadersLinesForEveryChunkSizeWorkerCountAndFailure) {
    // clang-format off
    const std::string texts[] = {"", "\xEF\xBB\xBF", "\xEF\xBB\xBF\r\nx\n", "\xEF\xBBx\n", "no line end", "\n\n\n",
                                 "ends\n", "a\r\n\r\ntwo\r\r\nin\rside\na line longer than a chunk\r\nlast\r"};
    // clang-format on
    for (const auto& text : texts) {
        for (const std::size_t failAt : {text.size() + 1, text.size() / 2, std::size_t{0}}) {
            const bool fails = failAt <= text.size();
            FailingSource expectedSource(text, failAt, 3);
            const auto expected = LinesByLineReader(expectedSource);
            ASSERT_EQ(expected.Failed, fails);
            for (const int workers : {0, 1, 3}) {
                for (const std::size_t chunkBytes : {1u, 2u, 7u, 4096u}) {
                    FailingSource source(text, failAt, 3);
                    auto outcome = LinesByChunks(source, {.Workers = workers, .ChunkBytes = chunkBytes});
                    EXPECT_TRUE(fails || outcome.BytesRead == static_cast<std::int64_t>(text.size())) << text;
                    outcome.BytesRead = 0;
                    EXPECT_EQ(outcome, expected) << text << " failing at " << failAt << ", " << workers << " workers, "
                                                 << chunkBytes << " bytes";
                }
            }
        }
    }
}

TEST(ChunkedLines, AFailureThrownByAParseReachesTheCallerAfterTheWorkersEnd) {
    const std::string text(10000, '\n');
    for (const int workers : {0, 2}) {
        MemorySource source(text);
        ChunkedLines chunks(source, {.Workers = workers, .ChunkBytes = 16});
        int consumed = 0;
        const auto parse = [](std::size_t, const Chunk& chunk) {
            if (chunk.BytesRead > 5000) throw std::runtime_error("parse");
        };
        EXPECT_THROW(chunks.Run(parse, [&](std::size_t, const Chunk&) { return ++consumed > 0; }), std::runtime_error);
        EXPECT_LT(consumed, 5000 / 16 + 1);
    }
}

// Random source files in every layout: good lines, comments, blank lines,
// other remarks, a few bad values, CR LF or LF, sometimes a byte-order mark.
class SourceMaker {
public:
    explicit SourceMaker(unsigned seed) : random_(seed) {}

    std::string File(DataType type, int lines) {
        std::string text = Chance(0.2) ? "\xEF\xBB\xBF" : "";
        const std::string end = Chance(0.5) ? "\r\n" : "\n";
        const double badLine = Chance(0.5) ? 0.0 : 1.0 / lines;
        for (int i = 0; i < lines; ++i) text += Line(type, i, badLine) + end;
        if (Chance(0.3)) text += Line(type, lines, 0); // no line end at the end
        return text;
    }

private:
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string Number(double badChance) {
        const char* bad[] = {"abc", "", "1e39", "1e400", "1.2.3", "-"};
        if (Chance(badChance)) return bad[Pick(6)];
        const char* forms[] = {"%d", "%d.%03d", "-%d.%d", " %d.5 ", "%de1", ".%d", "%d."};
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, forms[Pick(7)], Pick(100000), Pick(1000));
        return buffer;
    }

    std::string Remark() {
        const char* remarks[] = {"PRO%d", "PRO%d B", "pro%d W", "PRO%dBD", "STN %d", "PRO", "PRO%d L x", "PRO %d"};
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, remarks[Pick(8)], Pick(12));
        return buffer;
    }

    std::string Line(DataType type, int index, double badChance) {
        const int other = Pick(20);
        if (other == 0) return "REM a comment";
        if (other == 1) return Chance(0.5) ? "" : "   ";
        if (other == 2) return "; " + std::to_string(index);
        const auto number = [&] { return Number(badChance); };
        switch (type) {
        case DataType::Trimble:
        case DataType::Field:
            return std::to_string(index) + "," + number() + "," + number() + "," + number() + "," + Remark();
        case DataType::Hypack:
            return number() + "," + number() + "," + number();
        case DataType::ProcessedXyz:
        case DataType::Processed:
            return number() + "," + number() + "," + number() + "," + Remark() + (Chance(0.1) ? ",extra" : "");
        case DataType::Sounder:
            return Remark() + "," + number() + "," + number() + ",0," + number() + "," + number() + ",0,0," + number();
        case DataType::SavedJob:
            return JobLine(index, badChance);
        }
        return {};
    }

    std::string JobLine(int index, double badChance) {
        if (Chance(0.05)) return "a line of other text";
        const int line = Pick(Chance(badChance) ? 40 : 12);
        const int shot = Pick(9);
        std::string text = std::to_string(line) + ", " + std::to_string(shot) + "," +
                           (shot == 0 ? std::to_string(Pick(9)) : std::to_string(index)) + "," + Number(badChance) +
                           "," + Number(badChance) + "," + Number(badChance) + "," + Remark() + "," +
                           Number(badChance) + "," + (Chance(0.5) ? "B" : "") + ",BD," +
                           (Chance(0.5) ? "True" : "false") + ",p" + std::to_string(line);
        if (Chance(0.2)) return text; // the old layout
        for (int i = 0; i < 5; ++i) text += "," + Number(badChance);
        return text;
    }

    std::mt19937 random_;
};

struct ReadRecord {
    ReadResult Result;
    Texts Messages;
};

// Every record of every line stored, stale ones included.
std::string TableDifference(const Job& a, const Job& b) {
    for (std::int32_t line = 0; line <= a.Data.LineBound(); ++line) {
        if (a.Data.StoredCount(line) != b.Data.StoredCount(line)) return "line " + std::to_string(line) + " size";
        for (std::int32_t shot = 0; shot < a.Data.StoredCount(line); ++shot) {
            if (!(a.Data.At(line, shot) == b.Data.At(line, shot)))
                return "record (" + std::to_string(line) + ", " + std::to_string(shot) + ")";
        }
    }
    return JobDifference(a, b);
}

ReadRecord ReadBy(Job& job, const std::string& text, const ReadOptions& options, const ReadRoute& route,
                  std::size_t failAt) {
    ScriptedPrompter prompter;
    FailingSource source(text, failAt, 1000);
    ReadRecord record;
    record.Result = ReadDataFrom(job, options, source, prompter, route);
    record.Messages = prompter.Messages();
    return record;
}

// The shots of a read that ends well, stored one at a time through AddShot,
// which remembers nothing from one shot to the next.
void StoreShotByShot(Job& job, const std::string& text, const ReadOptions& options) {
    ShotLineParser parser(options);
    MemorySource source(text);
    LineReader lines(source);
    ShotRecord shot;
    std::int32_t accepted = 0;
    ReadError error = ReadError::None;
    for (std::string_view line; lines.Next(line);) {
        if (parser.Parse(line, shot, error) != ShotLineParser::Verdict::Accepted) continue;
        ++accepted;
        if (parser.NumbersShots()) shot.SeqNum = accepted;
        if (AddShot(job, shot) == AddShotResult::TooManyLines) return;
    }
}

void ExpectSameRead(const ReadRecord& a, const ReadRecord& b, const std::string& what) {
    EXPECT_EQ(
        std::tuple(a.Result.Outcome, a.Result.RecordsStored, a.Result.LineLimitReached, a.Result.ShotLimitReached),
        std::tuple(b.Result.Outcome, b.Result.RecordsStored, b.Result.LineLimitReached, b.Result.ShotLimitReached))
        << what;
    EXPECT_EQ(a.Messages, b.Messages) << what;
}

class ChunkedRead : public ::testing::TestWithParam<DataType> {};

TEST_P(ChunkedRead, GivesTheJobMessagesAndResultOfALineByLineRead) {
    const DataType type = GetParam();
    int failed = 0;
    int complete = 0;
    int limited = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SourceMaker maker(seed * 31 + static_cast<unsigned>(type));
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        ReadOptions options{.DataType = static_cast<int>(type),
                            .AppendToProfile = pick(3) == 0 ? "X" : "",
                            .ElevProcessing = pick(6),
                            .ElevChange = pick(2) == 0 ? "2.5" : "10%",
                            .MapElevation = pick(2) == 0,
                            .FormatProfileNumbers = pick(2) == 0};
        const std::string text = maker.File(type, 50 + pick(600));
        // Small tables so both limits are met; the job already holds a read or not.
        const auto maxLines = static_cast<std::int16_t>(12 + pick(10));
        const auto maxShots = static_cast<std::int16_t>(6 + pick(60));
        const std::string earlier = pick(2) == 0 ? "" : SourceMaker(seed).File(DataType::Trimble, 40);
        const std::size_t failAt =
            pick(6) == 0 ? static_cast<std::size_t>(pick(static_cast<int>(text.size()) + 1)) : text.size() + 1;
        const auto fresh = [&] {
            Job job(maxLines, maxShots);
            ScriptedPrompter quiet;
            ReadText(job, earlier, quiet);
            // Shots stored in a line with a starting point get their distance.
            for (std::int32_t line = 1; line <= job.LineCount; line += 2) job.Data.EditHeader(line).StartEasting() = 5;
            return job;
        };
        Job expectedJob = fresh();
        const auto expected = ReadBy(expectedJob, text, options, {.Chunked = false}, failAt);
        ++(expected.Result.Outcome == ReadOutcome::Failed ? failed : complete);
        if (expected.Result.Outcome == ReadOutcome::Ok && type != DataType::SavedJob) {
            Job shotByShot = fresh();
            StoreShotByShot(shotByShot, text, options);
            shotByShot.CurrentLine = expectedJob.CurrentLine;
            EXPECT_EQ(JobDifference(shotByShot, expectedJob), "") << "seed " << seed;
        }
        limited += expected.Messages.size() > 1 || expected.Result.LineLimitReached ? 1 : 0;
        for (const int workers : {0, 1, 3}) {
            const std::size_t chunkBytes = 1 + static_cast<std::size_t>(pick(400));
            Job job = fresh();
            const auto read = ReadBy(job, text, options, {.Chunks = {workers, chunkBytes}}, failAt);
            const std::string what = "seed " + std::to_string(seed) + ", " + std::to_string(workers) + " workers, " +
                                     std::to_string(chunkBytes) + " bytes";
            ExpectSameRead(read, expected, what);
            EXPECT_EQ(TableDifference(job, expectedJob), "") << what;
        }
    }
    // Both endings, and the limits, are met often enough to mean something.
    EXPECT_GE(std::min(failed, complete), 3);
    EXPECT_GE(type == DataType::SavedJob ? 3 : limited, 3);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, ChunkedRead,
                         ::testing::Values(DataType::Trimble, DataType::Hypack, DataType::ProcessedXyz,
                                           DataType::Processed, DataType::Field, DataType::SavedJob,
                                           DataType::Sounder));

} // namespace
} // namespace tolvanor
