// SPDX-License-Identifier: GPL-3.0-or-later
// The writers' right-aligned fields must equal RFormat's, cut on the left.
#include "OutputTestSupport.h"

#include "output/NumberTexts.h"
#include "output/OutputFile.h"
#include "processing/FieldHelpers.h"

#include <gtest/gtest.h>

namespace tolvanor::testing {
namespace {

TEST(NumberTexts, RightAlignedFieldsMatchRFormat) {
    TempFolder folder;
    NumberTexts texts;
    OutputFile file;
    ASSERT_TRUE(file.Open(folder.File("fields.txt"), OutputFile::OpenMode::Replace));
    std::string expected;
    for (const float value : {0.0f, 12.5f, -3.25f, 123.456f, 1234567.0f, -0.5f}) {
        for (const int width : {1, 5, 6, 14}) {
            WriteRightAligned(file, texts.General(value), width);
            WriteRightAligned(file, texts.Mask(value, 1), width);
            expected += RFormat(value, width) + RFormat(value, width, 1);
        }
    }
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(folder.File("fields.txt")), expected);
}

} // namespace
} // namespace tolvanor::testing
