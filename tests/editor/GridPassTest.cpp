// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-job pass that computes the stored values without the grid's
// texts must leave everything as loading, sorting and storing every line
// through the texts does: the table bit for bit (line versions too), the
// grid, the window state, the plan curves and the messages. Random jobs
// carry values of every magnitude, halves at the display patterns,
// non-finite values, sounder and ignored shots, tabs and long texts, lines
// sharing a name, counts past the stored records, and every sort order;
// by the third pass nothing changes any more.
#include "editor/GridPass.h"
#include "core/MaskText.h"
#include "core/PassWorker.h"
#include "core/PatternValue.h"
#include "editor/EditTestSupport.h"
#include "editor/ShotRow.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace tolvanor {
namespace {

namespace fs = std::filesystem;

using testing::ExpectSamePass;
using testing::PassSession;
using testing::RecordBits;

// Values a reader, an edit or a damaged file could leave: everyday ones,
// exact halves of the display units, neighbours of the patterns' rounding
// limits, huge and tiny magnitudes, zeros of both signs, non-finite values.
class ValueMaker {
public:
    explicit ValueMaker(std::mt19937& random) : random_(random) {}

    double Coordinate(double base) {
        switch (Pick(12)) {
        case 0:
            return Extreme();
        case 1:
            return base + static_cast<double>(Pick(20000)) / 1e4 + 0.00005; // a half at four decimals
        case 2:
            return std::nextafter(base + 0.00005, Pick(2) == 0 ? 0.0 : 1e300);
        case 3:
            return (Pick(2) == 0 ? 1 : -1) * std::ldexp(1.0, 50 + Pick(8)) / 1e4; // past 2^53 units
        default:
            return base + Uniform(-2000, 2000) + Uniform(-1, 1) * 1e-7;
        }
    }

    float Small() {
        switch (Pick(10)) {
        case 0:
            return static_cast<float>(Extreme());
        case 1:
            return static_cast<float>(Pick(2000) - 1000) / 100.0f + 0.005f; // about a half at two decimals
        case 2:
            return static_cast<float>(Pick(2000) - 1000) / 10.0f + 0.05f;
        case 3:
            return std::ldexp(1.0f, Pick(14) + 11) + 0.5f; // units past 2^24
        default:
            return static_cast<float>(Uniform(-60, 60) * std::pow(10.0, Pick(5) - 2));
        }
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

private:
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

    double Extreme() {
        using D = std::numeric_limits<double>;
        using F = std::numeric_limits<float>;
        // clang-format off
        constexpr double values[] = {0.0, -0.0, D::quiet_NaN(), D::infinity(), -D::infinity(), D::max(),
            D::denorm_min(), F::max(), -F::max(), F::denorm_min(), 1e15, 999999999999999.9, -123456789012345678.0,
            1e22, 3.5e30, 1e-5, -4.9e-5, 5e-5, 0.05, -0.05, 0.005, 2.675, 1e-30, -1e-300};
        // clang-format on
        return values[Pick(static_cast<int>(std::size(values)))];
    }

    std::mt19937& random_;
};

// A random job: some lines share a name, some claim more shots than are
// stored (or more than a line holds), some are ignored or have a starting point.
void FillJob(Job& job, std::mt19937& random) {
    ValueMaker make(random);
    const char* const types[] = {"L", "W", "w", "B", "b", "S", "", "A", "Wet", "l", "W", "L"};
    const char* const names[] = {"101", "102", "7", "007", "PRO 12", "103", "101", "\t1", "104", "105"};
    const std::string longRemark(50, 'R'); // too long to sit in the record
    // Now and then past the data lines too: those are shown but never stored.
    job.LineCount = make.Pick(8) == 0 ? job.MaxLines + 2 : 1 + make.Pick(job.MaxLines);
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        const std::string name = make.Pick(6) == 0 ? names[make.Pick(10)] : std::to_string(200 + line);
        const std::int32_t stored = make.Pick(5) == 0 ? make.Pick(3) : make.Pick(job.Data.ShotBound());
        for (std::int32_t shot = 1; shot <= stored; ++shot) {
            auto& r = job.Data.Edit(line, shot);
            r.SeqNum = make.Pick(8) == 0 ? make.Pick(5) - 2
                                         : (make.Pick(30) == 0 ? std::numeric_limits<std::int32_t>::min() : shot * 2);
            r.Easting = make.Coordinate(512000.0);
            r.Northing = make.Coordinate(4108000.0);
            for (float* value : {&r.DistDownRange, &r.Elevation, &r.DBT, &r.Heave, &r.Tide, &r.Pitch, &r.Roll})
                *value = make.Small();
            r.SetProfileNumber(shot == 1 || make.Pick(10) != 0 ? name : "OTHER");
            r.SetShotType(types[make.Pick(12)]);
            r.SetSurveyType(make.Pick(3) == 0 ? "BD" : "");
            const int remark = make.Pick(8);
            r.SetRemark(remark == 0 ? "R\tWITH\tTABS" : remark == 1 ? longRemark : remark == 2 ? "" : "PRO " + name);
            r.Ignore = make.Pick(6) == 0;
        }
        auto& header = job.Data.EditHeader(line);
        const int count = make.Pick(8);
        header.ShotCount() = count == 0 ? stored + 3 : count == 1 ? job.Data.ShotBound() + 5 : count == 2 ? -1 : stored;
        header.LineIgnored() = make.Pick(5) == 0;
        if (make.Pick(2) == 0) {
            header.StartEasting() = 511900.0 + make.Pick(100);
            header.StartNorthing() = 4108300.0 - make.Pick(100);
            header.LineAngle() = 280.0f + static_cast<float>(make.Pick(30));
        }
    }
    job.CurrentLine = make.Pick(10) == 0 ? 0 : 1 + make.Pick(job.LineCount);
}

TEST(GridPass, WholeJobPassesLeaveWhatThePassThroughTheTextsLeaves) {
    const int sortOrders[] = {0, 1, 2, 3, 4, 5, 6, -1, 7};
    for (unsigned seed = 1; seed <= 72; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const bool memo = seed % 3 != 0;
        // Now and then more lines than the pass takes at a time.
        const std::int16_t lines = seed % 9 == 0 ? 150 : 12;
        const std::int16_t shots = seed % 9 == 0 ? 12 : 40;
        PassSession fast(true, memo, lines, shots);
        PassSession text(false, memo, lines, shots);
        for (PassSession* session : {&fast, &text}) {
            std::mt19937 random(seed);
            FillJob(session->job, random);
            session->editor.Options().SortOrder = sortOrders[seed % std::size(sortOrders)];
            session->editor.LoadProfileNumbers();
            // The grid then keeps the last line passed.
            if (seed % 5 == 0) session->job.CurrentLine = 0;
        }
        ExpectSamePass(fast, text, "loaded");
        // Three passes settle every line: the third changes nothing. Then another sort order.
        for (int pass = 1; pass <= 4; ++pass) {
            if (pass == 2 && seed % 4 == 0) { // a listed name no line has any more
                for (PassSession* session : {&fast, &text}) session->job.Data.Edit(1, 1).SetProfileNumber("RENAMED");
            }
            if (pass == 4) {
                for (PassSession* session : {&fast, &text})
                    session->editor.Options().SortOrder = sortOrders[(seed + 4) % std::size(sortOrders)];
            }
            const auto before = testing::TableBits(text.job, false);
            for (PassSession* session : {&fast, &text}) session->editor.LoadArray();
            ExpectSamePass(fast, text, "pass " + std::to_string(pass));
            if (pass == 3) {
                EXPECT_EQ(testing::TableBits(text.job, false), before) << "settled by the third pass";
            }
            if (::testing::Test::HasFailure()) return;
        }
    }
}

// The refresh: starting points merged (profile numbers formatted to three
// digits or not), distances recomputed, every line passed.
TEST(GridPass, RefreshesLeaveWhatThePassThroughTheTextsLeaves) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("grid-pass-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const auto spf = (folder / "points.spf").string();
    std::ofstream(spf, std::ios::binary) << "7,511950.5,4108250.25,290\r\n101,511900,4108300,285.5\r\n"
                                            "203,511990.125,4108310,300\r\n205,511800,4108400,275\r\n";
    for (unsigned seed = 100; seed <= 130; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const bool memo = seed % 2 == 0;
        PassSession fast(true, memo, 12, 40);
        PassSession text(false, memo, 12, 40);
        for (PassSession* session : {&fast, &text}) {
            std::mt19937 random(seed);
            FillJob(session->job, random);
            session->editor.Options().SortOrder = static_cast<int>(seed % 7);
            session->editor.Options().FormatProfileNumbers = seed % 4 < 2;
            session->editor.Options().StartingPointFile = seed % 5 == 0 ? std::string() : spf;
        }
        for (int refresh = 1; refresh <= 2; ++refresh) {
            for (PassSession* session : {&fast, &text}) session->editor.RefreshDataEdit();
            ExpectSamePass(fast, text, "refresh " + std::to_string(refresh));
            if (::testing::Test::HasFailure()) break;
        }
    }
    fs::remove_all(folder);
}

// One shot: the values from its numbers equal the ones read back from its
// cells, also when the record is its own target.
TEST(GridPass, ShotThroughRowGivesTheStoredRowOfItsCells) {
    std::mt19937 random(7);
    Job job(2, 40);
    for (int round = 0; round < 60; ++round) {
        job.NewFile();
        FillJob(job, random);
        for (std::int32_t line = 1; line <= job.LineCount; ++line) {
            for (std::int32_t shot = 1; shot < job.Data.StoredCount(line); ++shot) {
                const ShotRecord& original = job.Data.At(line, shot);
                ShotRowTexts cells;
                ShotToRowTexts(original, cells);
                ShotRecord viaTexts = original;
                RowTextsToShot(cells, "P7", viaTexts);
                ShotRecord viaValues;
                ShotThroughRow(original, "P7", viaValues);
                ShotRecord inPlace = original;
                ShotThroughRow(inPlace, "P7", inPlace);
                ASSERT_EQ(RecordBits(viaValues), RecordBits(viaTexts)) << cells[1] << " " << cells[4];
                ASSERT_EQ(RecordBits(inPlace), RecordBits(viaTexts));
            }
        }
    }
}

// The shortcut for values on a pattern's grid against the full route:
// every 32-bit value on the grids of one and two decimals within its range
// and both neighbours of each, on-grid 64-bit values of up to 15 digits and
// their neighbours, and random bit patterns of both widths.
TEST(GridPass, PatternValueIsTheMaskedValue) {
    const auto same = [](auto a, auto b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    for (const int decimals : {1, 2}) {
        const float scale = decimals == 1 ? 10.0f : 100.0f;
        for (int units = -1'000'001; units <= 1'000'001; ++units) {
            const float onGrid = static_cast<float>(units) / scale;
            for (const float value : {onGrid, std::nextafter(onGrid, -1e30f), std::nextafter(onGrid, 1e30f)}) {
                ASSERT_TRUE(same(PatternValue(value, decimals), MaskedValue(value, decimals)))
                    << value << " with " << decimals << " decimals";
                ASSERT_TRUE(same(PatternValueAsDouble(value, decimals),
                                 MaskedValue(static_cast<double>(value), decimals, ValuePrecision::Single)))
                    << value << " with " << decimals << " decimals, read as a 64-bit value";
            }
        }
    }
    std::mt19937_64 random(15);
    for (int round = 0; round < 100000; ++round) {
        const int decimals = 1 + static_cast<int>(random() % 4);
        const double scale = std::pow(10.0, decimals);
        const auto digits = static_cast<double>(random() % 1'000'000'000'000'000ULL) / std::pow(10.0, random() % 16);
        const double onGrid = (round % 2 == 0 ? 1 : -1) * std::nearbyint(digits) / scale;
        const double any = std::bit_cast<double>(random());
        for (const double value : {onGrid, std::nextafter(onGrid, -1e300), std::nextafter(onGrid, 1e300), any}) {
            ASSERT_TRUE(same(PatternValue(value, decimals), MaskedValue(value, decimals)))
                << value << " with " << decimals << " decimals";
        }
        const float single = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        ASSERT_TRUE(same(PatternValue(single, 1 + decimals % 2), MaskedValue(single, 1 + decimals % 2))) << single;
        ASSERT_TRUE(
            same(PatternValueAsDouble(single, 1), MaskedValue(static_cast<double>(single), 1, ValuePrecision::Single)))
            << single;
    }
}

// Tasks handed over one after another all run, in order, each seeing what
// the one before left; with a thread or without.
TEST(GridPass, WorkerRunsEveryTaskInTurn) {
    for (const bool threaded : {true, false}) {
        std::vector<int> done;
        {
            PassWorker worker(threaded);
            for (int task = 0; task < 500; ++task) {
                worker.Start([&done, task] { done.push_back(done.empty() ? task : done.back() + 1); });
                if (task % 7 == 0) worker.Wait();
            }
        } // the last task finishes before the worker goes
        std::vector<int> expected(500);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(done, expected) << (threaded ? "threaded" : "inline");
    }
}

} // namespace
} // namespace tolvanor
