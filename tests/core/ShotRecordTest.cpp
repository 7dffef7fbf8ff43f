// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ShotRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tolvanor {
namespace {

static_assert(sizeof(ShotRecord) <= 96, "three million records must fit a full job in memory");

ShotRecord RealShot() {
    ShotRecord shot;
    shot.SeqNum = 17;
    shot.Northing = 6543210.125;
    shot.Easting = 402511.37505;
    shot.Elevation = -1.25f;
    shot.DBT = 3.5f;
    shot.Heave = 0.25f;
    shot.Pitch = 1;
    shot.Roll = -1;
    shot.Tide = 0.75f;
    shot.DistDownRange = 12.3f;
    shot.SetProfileNumber("012BD");
    shot.SetSurveyType("BD");
    shot.SetShotType("W");
    shot.SetRemark("PRO012BD W 15m");
    shot.Ignore = true;
    return shot;
}

// Texts that together are longer than a record holds inline.
ShotRecord LongShot() {
    ShotRecord shot = RealShot();
    shot.SetRemark("PRO012BD W a remark far too long to be kept inside the record");
    return shot;
}

TEST(ShotRecord, FreshRecordIsZeroAndEmpty) {
    const ShotRecord shot;
    EXPECT_EQ(shot.SeqNum, 0);
    EXPECT_EQ(shot.Northing, 0);
    EXPECT_EQ(shot.Easting, 0);
    EXPECT_EQ(shot.Elevation, 0);
    EXPECT_EQ(shot.DBT + shot.Heave + shot.Pitch + shot.Roll + shot.Tide + shot.DistDownRange, 0);
    EXPECT_EQ(shot.ProfileNumber(), "");
    EXPECT_EQ(shot.SurveyType(), "");
    EXPECT_EQ(shot.ShotType(), "");
    EXPECT_EQ(shot.Remark(), "");
    EXPECT_FALSE(shot.Ignore);
}

TEST(ShotRecord, HeaderRolesShareTheShotSlots) {
    ShotRecord header;
    header.ShotCount() = 42;
    header.StartNorthing() = 1000;
    header.StartEasting() = 500;
    header.LineAngle() = 45.5f;
    header.LineIgnored() = true;
    EXPECT_EQ(header.SeqNum, 42);
    EXPECT_EQ(header.Northing, 1000);
    EXPECT_EQ(header.Easting, 500);
    EXPECT_EQ(header.Elevation, 45.5f);
    EXPECT_TRUE(header.Ignore);
}

TEST(RecordTexts, EachFieldKeepsItsOwnBytes) {
    ShotRecord shot = RealShot();
    EXPECT_EQ(shot.ProfileNumber(), "012BD");
    EXPECT_EQ(shot.SurveyType(), "BD");
    EXPECT_EQ(shot.ShotType(), "W");
    EXPECT_EQ(shot.Remark(), "PRO012BD W 15m");
    EXPECT_TRUE(shot.Texts.IsInline());

    shot.SetSurveyType("");
    shot.SetProfileNumber("7");
    EXPECT_EQ(shot.ProfileNumber(), "7");
    EXPECT_EQ(shot.SurveyType(), "");
    EXPECT_EQ(shot.ShotType(), "W");
    EXPECT_EQ(shot.Remark(), "PRO012BD W 15m");

    const std::string bytes("a\0b\xff\r", 5);
    shot.SetRemark(bytes);
    EXPECT_EQ(shot.Remark(), bytes) << "bytes are kept as read, zero bytes included";
}

TEST(RecordTexts, ExactlyFullStaysInlineOneMoreSpills) {
    ShotRecord shot;
    const std::size_t room = RecordTexts::InlineCapacity;
    shot.SetProfileNumber("012BD");
    shot.SetRemark(std::string(room - 5, 'r'));
    EXPECT_TRUE(shot.Texts.IsInline());
    EXPECT_EQ(shot.Remark().size(), room - 5);

    shot.SetShotType("W");
    EXPECT_FALSE(shot.Texts.IsInline());
    EXPECT_EQ(shot.ProfileNumber(), "012BD");
    EXPECT_EQ(shot.ShotType(), "W");
    EXPECT_EQ(shot.Remark(), std::string(room - 5, 'r'));

    shot.SetRemark("short");
    EXPECT_TRUE(shot.Texts.IsInline()) << "shrinking texts come back inline";
    EXPECT_EQ(shot.ProfileNumber(), "012BD");
    EXPECT_EQ(shot.Remark(), "short");
}

TEST(RecordTexts, VeryLongTextsSurvive) {
    ShotRecord shot;
    const std::string remark(100000, 'x');
    shot.SetRemark(remark);
    shot.SetProfileNumber(std::string(300, 'p'));
    EXPECT_EQ(shot.Remark(), remark);
    EXPECT_EQ(shot.ProfileNumber(), std::string(300, 'p'));
}

TEST(RecordTexts, SettingFromItsOwnTextsIsSafe) {
    for (ShotRecord shot : {RealShot(), LongShot()}) {
        const std::string remark(shot.Remark());
        shot.SetProfileNumber(shot.Remark());
        EXPECT_EQ(shot.ProfileNumber(), remark);
        shot.SetRemark(shot.Remark().substr(3));
        EXPECT_EQ(shot.Remark(), remark.substr(3));
        EXPECT_EQ(shot.ProfileNumber(), remark);
    }
}

TEST(ShotRecord, CopiesAreWholeAndIndependent) {
    for (const ShotRecord& original : {RealShot(), LongShot()}) {
        ShotRecord copy = original;
        EXPECT_EQ(copy, original);
        copy.SetRemark("changed");
        copy.SetProfileNumber("999");
        EXPECT_NE(copy, original);
        EXPECT_EQ(original.ProfileNumber(), "012BD") << "the original keeps its texts";

        ShotRecord assigned;
        assigned = original;
        EXPECT_EQ(assigned, original);
        assigned = LongShot();
        assigned = RealShot();
        EXPECT_EQ(assigned, RealShot());
        EXPECT_TRUE(assigned.Texts.IsInline());
    }
}

TEST(ShotRecord, SelfAssignmentKeepsTheRecord) {
    for (ShotRecord shot : {RealShot(), LongShot()}) {
        const ShotRecord before = shot;
        ShotRecord& alias = shot;
        shot = alias;
        EXPECT_EQ(shot, before);
        shot = std::move(alias);
        EXPECT_EQ(shot, before);
    }
}

TEST(ShotRecord, MovesTakeTheTextsAndLeaveAnEmptyRecord) {
    ShotRecord source = LongShot();
    const ShotRecord expected = source;
    ShotRecord moved = std::move(source);
    EXPECT_EQ(moved, expected);
    EXPECT_EQ(source.Remark(), ""); // NOLINT(bugprone-use-after-move): a moved-from record is empty
    EXPECT_TRUE(source.Texts.IsInline());

    ShotRecord target = RealShot();
    target = std::move(moved);
    EXPECT_EQ(target, expected);
    EXPECT_EQ(moved.ProfileNumber(), ""); // NOLINT(bugprone-use-after-move)
}

TEST(ShotRecord, EqualityComparesEveryField) {
    const ShotRecord base = RealShot();
    auto differs = [&](auto change) {
        ShotRecord other = base;
        change(other);
        return other != base;
    };
    EXPECT_TRUE(differs([](ShotRecord& r) { r.SeqNum = 18; }));
    EXPECT_TRUE(differs([](ShotRecord& r) { r.Northing += 0.001; }));
    EXPECT_TRUE(differs([](ShotRecord& r) { r.Tide = 0; }));
    EXPECT_TRUE(differs([](ShotRecord& r) { r.DistDownRange = 12.4f; }));
    EXPECT_TRUE(differs([](ShotRecord& r) { r.SetShotType("w"); }));
    EXPECT_TRUE(differs([](ShotRecord& r) { r.Ignore = false; }));
    // The same texts compare equal whether held inline or on the heap.
    ShotRecord spilled = base;
    spilled.SetRemark(std::string(60, 'x'));
    spilled.SetRemark(base.Remark());
    EXPECT_EQ(spilled, base);
    // Moving text between fields is a change even when the bytes line up.
    ShotRecord shifted;
    shifted.SetProfileNumber("ab");
    ShotRecord other;
    other.SetProfileNumber("a");
    other.SetSurveyType("b");
    EXPECT_NE(shifted, other);
}

TEST(ShotRecord, ClearEmptiesEverythingAndFreesTheTexts) {
    ShotRecord shot = LongShot();
    shot.Clear();
    EXPECT_EQ(shot, ShotRecord{});
    EXPECT_TRUE(shot.Texts.IsInline());
}

} // namespace
} // namespace tolvanor
