// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvanor {
namespace {

TEST(UpperAscii, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(UpperAscii("pro12bd w"), "PRO12BD W");
    EXPECT_EQ(UpperAscii("\xe9\xe0z{`@"), "\xe9\xe0Z{`@");
    EXPECT_EQ(UpperAscii(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(Trim, SpacesOnlyOrSpacesAndTabs) {
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\t a \t"), "\t a \t");
    EXPECT_EQ(TrimBlanks("\t a \t"), "a");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimSpaces(""), "");
    EXPECT_EQ(TrimBlanks("\r x \r"), "\r x \r");
}

TEST(SplitFields, KeepsEveryFieldEmptyOnesIncluded) {
    EXPECT_EQ(SplitFields("a,b,,c", ','), (std::vector<std::string_view>{"a", "b", "", "c"}));
    EXPECT_EQ(SplitFields("", ','), (std::vector<std::string_view>{""}));
    EXPECT_EQ(SplitFields(",", ','), (std::vector<std::string_view>{"", ""}));
    EXPECT_EQ(SplitFields("\"a,b\"", ','), (std::vector<std::string_view>{"\"a", "b\""})) << "no quoting";
    EXPECT_EQ(SplitFields(" a ", ','), (std::vector<std::string_view>{" a "}));
}

TEST(RightText, LastBytesOrAll) {
    EXPECT_EQ(RightText("000012", 3), "012");
    EXPECT_EQ(RightText("12", 3), "12");
    EXPECT_EQ(RightText("12", 0), "");
}

} // namespace
} // namespace tolvanor
