// SPDX-License-Identifier: GPL-3.0-or-later
// The BIFF2 worksheet writer, record by record.
#include "BiffRecords.h"
#include "OutputTestSupport.h"

#include "output/xls/ExcelFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace tolvanor::testing {
namespace {

constexpr std::uint16_t Bof = 0x0009, Eof = 0x000A, FormatCount = 0x001F, Format = 0x001E, PageBreaks = 0x001B;

// The bytes after the default records that CreateFile writes.
class ExcelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
        ASSERT_EQ(excel.CloseFile(), ExcelFile::Ok);
        start = ReadBytes(path).size() - 4; // without EOF
        ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
    }
    std::string Written() {
        excel.CloseFile();
        const std::string bytes = ReadBytes(path);
        return bytes.substr(start, bytes.size() - start - 4);
    }

    TempFolder folder;
    std::string path = folder.File("test.xls");
    ExcelFile excel;
    std::size_t start = 0;
};

TEST_F(ExcelFileTest, CreateThenCloseWritesDefaultsOnly) {
    excel.CloseFile();
    const std::string bytes = ReadBytes(path);
    // 8 (BOF) + 6 (FORMATCOUNT) + 25 × 5 + the 25 format texts (261 bytes) + 4 (EOF).
    EXPECT_EQ(bytes.size(), 8u + 6u + 125u + 261u + 4u);
    EXPECT_EQ(bytes.substr(0, 14), Hex("09 00 04 00 02 00 0A 00 1F 00 02 00 18 00"));
    bool complete = false;
    const auto records = SplitRecords(bytes, complete);
    ASSERT_TRUE(complete);
    ASSERT_EQ(records.size(), 28u);
    EXPECT_EQ(records.front().Number, Bof);
    EXPECT_EQ(records[1].Number, FormatCount);
    for (std::size_t i = 2; i < 27; ++i) EXPECT_EQ(records[i].Number, Format);
    EXPECT_EQ(records[2].Data, std::string("\x07") + "General");
    EXPECT_EQ(records[7].Data, std::string("\x17") + R"(#,##0\ "$";\-#,##0\ "$")");
    EXPECT_EQ(records[26].Data, std::string("\x05") + "0.000");
    EXPECT_EQ(records.back().Number, Eof);
    EXPECT_TRUE(records.back().Data.empty());
    ExpectGolden(bytes, "empty.xls");
}

TEST_F(ExcelFileTest, DocumentedRecordBytes) {
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Text, 128, 2, 0, 1, 1, "PROFILE", 0), ExcelFile::Ok);
    EXPECT_EQ(excel.SetColumnWidth(1, 6, 13), ExcelFile::Ok);
    EXPECT_EQ(excel.SetFont("Arial", 10, 5), ExcelFile::Ok);
    EXPECT_EQ(Written(), Hex("04 00 0F 00 00 00 00 00 00 80 02 07") + "PROFILE" + Hex("24 00 04 00 00 05 00 0D") +
                             Hex("31 00 0A 00 C8 00 05 00 05") + "Arial");
}

TEST_F(ExcelFileTest, CellRecords) {
    excel.WriteValue(ExcelValueType::Integer, 64, 1, 3, 2, 3, -2.5, 1);     // halves to even: -2
    excel.WriteValue(ExcelValueType::Integer, 0, 0, 0, 1, 1, " 12.5 ", 0);  // a number text
    excel.WriteValue(ExcelValueType::Number, 0, 2, 0, 65536, 256, 1.5, 24); // last row
    excel.WriteValue(ExcelValueType::Text, 0, 0, 0, 1, 2, 0.1, 0);          // a number's general text
    double value = 0;
    std::memcpy(&value, Hex("00 00 00 00 00 00 F8 3F").data(), 8);
    ASSERT_EQ(value, 1.5);
    EXPECT_EQ(Written(), Hex("02 00 09 00 01 00 02 00 03 41 01 FE FF") + Hex("02 00 09 00 00 00 00 00 00 00 00 0C 00") +
                             Hex("03 00 0F 00 FF FF FF 00 00 18 02 00 00 00 00 00 00 F8 3F") +
                             Hex("04 00 0B 00 00 00 01 00 00 00 00 03") + "0.1");
}

TEST_F(ExcelFileTest, FailingCellsWriteNothingAndSayWhy) {
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Text, 0, 0, 0, 1, 1, std::string(256, 'x'), 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Integer, 0, 0, 0, 1, 1, 32767.5, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Integer, 0, 0, 0, 1, 1, "abc", 0), ExcelFile::TypeMismatch);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 1, 1, "1,5", 0), ExcelFile::TypeMismatch);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 1, 1, "1e999", 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 0, 1, 1.0, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 65537, 1, 1.0, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 192, 0, 0, 1, 1, 1.0, 64), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(static_cast<ExcelValueType>(3), 0, 0, 0, 1, 1, 1.0, 0), ExcelFile::Ok);
    EXPECT_EQ(excel.SetColumnWidth(1, 1, 128), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetFont("Arial", 1639, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetFont(std::string(256, 'A'), 10, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetHeader(std::string(256, 'h')), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetDefaultRowHeight(1639), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetRowHeight(1, -1639), ExcelFile::Overflow);
    EXPECT_EQ(excel.InsertHorizPageBreak(0), ExcelFile::Overflow);
    EXPECT_EQ(Written(), "");
    // The longest text still fits.
    ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Text, 0, 0, 0, 1, 1, std::string(255, 'x'), 0), ExcelFile::Ok);
    EXPECT_EQ(Written().size(), 12u + 255u);
}

TEST_F(ExcelFileTest, PageOptionRecords) {
    excel.SetMargin(ExcelFile::TopMargin, 1.0);
    excel.SetDefaultRowHeight(14);
    excel.SetRowHeight(3, 12);
    excel.SetHeader("H");
    excel.SetFooter("");
    excel.SetFilePassword("pw");
    excel.PrintGridLines(false);
    excel.ProtectSpreadsheet(true);
    EXPECT_EQ(Written(), Hex("28 00 08 00 00 00 00 00 00 00 F0 3F") + Hex("25 00 02 00 18 01") +
                             Hex("08 00 10 00 02 00 00 00 00 01 F0 00 00 00 00 00 00 00 00 00") +
                             Hex("14 00 02 00 01") + "H" + Hex("15 00 01 00 00") + Hex("2F 00 02 00") + "pw" +
                             Hex("2B 00 02 00 00 00") + Hex("12 00 02 00 01 00"));
}

TEST_F(ExcelFileTest, PageBreaksAreSortedAtClose) {
    excel.InsertHorizPageBreak(30);
    excel.InsertHorizPageBreak(10);
    excel.InsertHorizPageBreak(30);
    excel.CloseFile();
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(start), Hex("1B 00 08 00 03 00 09 00 1D 00 1D 00") + Hex("0A 00 00 00"));
    // A new file starts with no page breaks.
    ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
    EXPECT_EQ(Written(), "");
}

TEST(ExcelFile, Mki) {
    EXPECT_EQ(ExcelFile::MKI(0x1234), Hex("34 12"));
    EXPECT_EQ(ExcelFile::MKI(-2), Hex("FE FF"));
}

TEST(ExcelFile, FileErrorsAreReported) {
    TempFolder folder;
    ExcelFile excel;
    EXPECT_EQ(excel.CloseFile(), ExcelFile::Ok); // nothing open
    EXPECT_EQ(excel.SetFont("Arial", 10, 0), ExcelFile::BadFileNumber);
    EXPECT_EQ(excel.CreateFile(folder.File("missing/test.xls")), ExcelFile::PathNotFound);
    EXPECT_EQ(excel.FileError(), "No such file or directory");
    EXPECT_NE(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 1, 1, 1.0, 0), ExcelFile::Ok);
    // A folder in the file's place is left alone.
    std::filesystem::create_directory(folder.File("folder.xls"));
    EXPECT_EQ(excel.CreateFile(folder.File("folder.xls")), ExcelFile::PathFileAccessError);
    EXPECT_EQ(excel.FileError(), "Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("folder.xls")));
}

TEST(ExcelFile, CreateReplacesAnExistingFile) {
    TempFolder folder;
    const std::string path = folder.File("old.xls");
    WriteBytes(path, std::string(5000, 'z'));
    ExcelFile excel;
    ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
    ASSERT_EQ(excel.CloseFile(), ExcelFile::Ok);
    EXPECT_EQ(ReadBytes(path).size(), 404u);
}

} // namespace
} // namespace tolvanor::testing
