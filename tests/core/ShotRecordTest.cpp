// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ShotRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tolvanor {
namespace {

static_assert(sizeof(ShotRecord) <= 96, "three million records must fit a full job in memory");

ShotRecord RealShot(std::string_view remark = "PRO012BD W 15m") {
    ShotRecord shot;
    shot.SeqNum = 17;
    shot.SetProfileNumber("012BD");
    shot.SetSurveyType("BD");
    shot.SetShotType("W");
    shot.SetRemark(remark);
    shot.Ignore = true;
    return shot;
}

const std::string LongRemark(60, 'x'); // more than a record holds inline

// Texts that fit stay in the record; one byte more moves all four to the heap
// and shrinking brings them back, every field keeping its bytes.
TEST(RecordTexts, SpillToTheHeapAndBackKeepingEveryField) {
    constexpr std::size_t Room = RecordTexts::InlineCapacity - 5 - 2 - 1; // after "012BD", "BD" and "W"
    const std::pair<std::string, bool> cases[] = {
        // clang-format off
        {std::string("a\0b\xff\r", 5), true}, {std::string(Room, 'r'), true}, {std::string(Room + 1, 'r'), false},
        {std::string(100000, 'r'), false}, {"", true},
        // clang-format on
    };
    ShotRecord shot = RealShot();
    for (const auto& [remark, inlined] : cases) {
        shot.SetRemark(remark);
        EXPECT_EQ(shot.Texts.IsInline(), inlined) << remark.size();
        EXPECT_EQ(shot.Remark(), remark) << remark.size();
        EXPECT_TRUE(shot.ProfileNumber() == "012BD" && shot.SurveyType() == "BD" && shot.ShotType() == "W");
    }
}

// A pass hands a record its own texts back, some of them moved to other
// fields: only texts that are really the same leave the record unchanged.
TEST(RecordTexts, UpdateTellsWhetherAnyTextChanged) {
    for (const std::string_view remark : {std::string_view("PRO012BD"), std::string_view(LongRemark)}) {
        ShotRecord shot = RealShot(remark);
        auto views = shot.Texts.Views();
        EXPECT_FALSE(shot.Texts.Update(views)) << remark;
        EXPECT_FALSE(shot.Texts.Update({"012BD", "BD", "W", std::string(remark)})) << remark;
        // Its own bytes in another field's place: a change, written safely.
        EXPECT_TRUE(shot.Texts.Update({views[3], views[0], views[2], views[1]})) << remark;
        EXPECT_EQ(shot.ProfileNumber(), remark);
        EXPECT_EQ(shot.SurveyType(), "012BD");
        EXPECT_EQ(shot.ShotType(), "W");
        EXPECT_EQ(shot.Remark(), "BD");
        // A view of the same length starting where another text starts.
        views = shot.Texts.Views();
        EXPECT_TRUE(shot.Texts.Update({views[0], views[1], views[2], views[0].substr(0, 2)})) << remark;
        EXPECT_EQ(shot.Remark(), remark.substr(0, 2));
    }
}

TEST(ShotRecord, CopiesAreWholeAndIndependentEqualityLooksAtTheTexts) {
    for (const ShotRecord& original : {RealShot(), RealShot(LongRemark)}) {
        ShotRecord copy = original;
        copy.SetProfileNumber("999");
        EXPECT_EQ(original.ProfileNumber(), "012BD") << "the original keeps its texts";
        ShotRecord assigned = RealShot(LongRemark);
        assigned = original;
        ShotRecord& alias = assigned;
        assigned = alias;
        EXPECT_EQ(assigned, original) << "assigned over heap texts, then onto itself";
        const std::string remark(assigned.Remark()); // setting from its own texts is safe
        assigned.SetProfileNumber(assigned.Remark());
        assigned.SetRemark(assigned.Remark().substr(3));
        EXPECT_EQ(assigned.ProfileNumber(), remark);
        EXPECT_EQ(assigned.Remark(), remark.substr(3));
    }
    ShotRecord shifted;
    shifted.SetProfileNumber("ab");
    ShotRecord split;
    split.SetProfileNumber("a");
    split.SetSurveyType("b");
    EXPECT_NE(shifted, split) << "moving text between fields is a change even when the bytes line up";
}

} // namespace
} // namespace tolvanor
