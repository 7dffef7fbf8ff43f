// SPDX-License-Identifier: GPL-3.0-or-later
// Design profiles found for a line the way the editor's overlay finds them.
// The keys and the pairs a line gives are the overlay's reader's, tested with
// it; here what the analysis adds: the first template of a key, the points
// sorted, the lookup by line name and the file read.
#include "analysis/ProfileTemplates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tolvanor {
namespace {

TEST(ProfileTemplates, TakesCompleteNumericPairsOfTheFirstMatchSorted) {
    ProfileTemplates templates;
    std::string many = "PRO20";
    for (int i = 0; i < 120; ++i) many += "," + std::to_string(i) + ",1";
    templates.Parse({"PRO12,10,1,x,2,0,3,5,y,20,4,30", "PRO12,0,9,1,9", "", many}, false);
    const auto* twelve = templates.Find("12");
    ASSERT_NE(twelve, nullptr);
    ASSERT_EQ(twelve->size(), 3u); // (x,2) and (5,y) left out, the lone 30 too
    EXPECT_EQ((*twelve)[0].Distance, 0);
    EXPECT_EQ((*twelve)[0].Elevation, 3);
    EXPECT_EQ((*twelve)[1].Distance, 10);
    EXPECT_EQ((*twelve)[2].Distance, 20);
    EXPECT_EQ(templates.Find("12A"), twelve) << "a line's name counts up to its last digit";
    const auto* twenty = templates.Find("20");
    ASSERT_NE(twenty, nullptr);
    EXPECT_EQ(twenty->size(), ProfileTemplates::MaxPoints);
    EXPECT_EQ(twenty->back().Distance, 100);
    // A template named with a suffix has a key no line name trims to.
    templates.Parse({"PRO12A,0,1,5,2"}, false);
    EXPECT_EQ(templates.Find("12A"), nullptr);
}

TEST(ProfileTemplates, ReadsAFileWithItsLineEndsAndReportsAMissingOne) {
    const auto path = std::filesystem::path(::testing::TempDir()) / "analysis-templates.tvt";
    std::ofstream(path, std::ios::binary) << "PRO11,0,5.4,10,5.46\r\nPRO13,0,1.5,8,-2\r\n";
    ProfileTemplates templates;
    ASSERT_TRUE(templates.Read(path.string(), true));
    std::filesystem::remove(path);
    const auto* thirteen = templates.Find("013");
    ASSERT_NE(thirteen, nullptr);
    EXPECT_EQ(thirteen->back().Elevation, -2); // the CR is not part of the last value
    EXPECT_EQ(templates.Find("011")->back().Elevation, 5.46f);
    EXPECT_FALSE(templates.Read(path.string(), true));
    EXPECT_EQ(templates.Size(), 0u);
}

} // namespace
} // namespace tolvanor
