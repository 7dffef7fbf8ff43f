// SPDX-License-Identifier: GPL-3.0-or-later
// The BIFF2 worksheet writer, record by record.
#include "OutputTestSupport.h"

#include "output/xls/ExcelFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolvanor::testing {
namespace {

// Bytes written as hex pairs ("04 00 0F").
std::string Hex(std::string_view pairs) {
    std::string bytes;
    for (std::size_t at = 0; at < pairs.size(); at += 3)
        bytes.push_back(static_cast<char>(std::stoi(std::string(pairs.substr(at, 2)), nullptr, 16)));
    return bytes;
}

constexpr std::size_t DefaultsSize = 8 + 6 + 125 + 261; // BOF, FORMATCOUNT, 25 FORMAT records (5 + text each)

// Written() closes the file and gives the records between the defaults and EOF.
class ExcelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(path, std::string(5000, 'z')); // an old file is replaced
        ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
    }
    std::string Written() {
        excel.CloseFile();
        const std::string bytes = ReadBytes(path);
        return bytes.substr(DefaultsSize, bytes.size() - DefaultsSize - 4);
    }

    TempFolder folder;
    std::string path = folder.File("test.xls");
    ExcelFile excel;
};

TEST_F(ExcelFileTest, CreateThenCloseWritesDefaultsOnly) {
    EXPECT_EQ(Written(), "");
    ExpectGolden(ReadBytes(path), "empty.xls");
}

TEST_F(ExcelFileTest, DocumentedRecordBytes) {
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Text, 128, 2, 0, 1, 1, "PROFILE", 0), ExcelFile::Ok);
    EXPECT_EQ(excel.SetColumnWidth(1, 6, 13), ExcelFile::Ok);
    EXPECT_EQ(excel.SetFont("Arial", 10, 5), ExcelFile::Ok);
    excel.InsertHorizPageBreak(30);
    excel.InsertHorizPageBreak(10);
    excel.InsertHorizPageBreak(30); // duplicates stay, sorted at close
    EXPECT_EQ(Written(), Hex("04 00 0F 00 00 00 00 00 00 80 02 07") + "PROFILE" + Hex("24 00 04 00 00 05 00 0D") +
                             Hex("31 00 0A 00 C8 00 05 00 05") + "Arial" + Hex("1B 00 08 00 03 00 09 00 1D 00 1D 00"));
    // A new file starts with no page breaks.
    ASSERT_EQ(excel.CreateFile(path), ExcelFile::Ok);
    EXPECT_EQ(Written(), "");
}

TEST_F(ExcelFileTest, CellAndPageRecords) {
    excel.WriteValue(ExcelValueType::Integer, 64, 1, 3, 2, 3, -2.5, 1);     // halves to even: -2
    excel.WriteValue(ExcelValueType::Integer, 0, 0, 0, 1, 1, " 12.5 ", 0);  // a number text
    excel.WriteValue(ExcelValueType::Number, 0, 2, 0, 65536, 256, 1.5, 24); // last row
    excel.WriteValue(ExcelValueType::Text, 0, 0, 0, 1, 2, 0.1, 0);          // a number's general text
    excel.SetMargin(ExcelFile::TopMargin, 1.0);
    excel.SetDefaultRowHeight(14);
    excel.SetRowHeight(3, 12);
    excel.SetHeader("H");
    excel.SetFooter("");
    excel.SetFilePassword("pw");
    excel.PrintGridLines(false);
    excel.ProtectSpreadsheet(true);
    EXPECT_EQ(Written(), Hex("02 00 09 00 01 00 02 00 03 41 01 FE FF") + Hex("02 00 09 00 00 00 00 00 00 00 00 0C 00") +
                             Hex("03 00 0F 00 FF FF FF 00 00 18 02 00 00 00 00 00 00 F8 3F") +
                             Hex("04 00 0B 00 00 00 01 00 00 00 00 03") + "0.1" +
                             Hex("28 00 08 00 00 00 00 00 00 00 F0 3F") + Hex("25 00 02 00 18 01") +
                             Hex("08 00 10 00 02 00 00 00 00 01 F0 00 00 00 00 00 00 00 00 00") +
                             Hex("14 00 02 00 01") + "H" + Hex("15 00 01 00 00") + Hex("2F 00 02 00") + "pw" +
                             Hex("2B 00 02 00 00 00") + Hex("12 00 02 00 01 00"));
}

TEST_F(ExcelFileTest, FailingCallsWriteNothingAndSayWhy) {
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Text, 0, 0, 0, 1, 1, std::string(256, 'x'), 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Integer, 0, 0, 0, 1, 1, 32767.5, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Integer, 0, 0, 0, 1, 1, "abc", 0), ExcelFile::TypeMismatch);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 0, 1, 1.0, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 0, 0, 0, 65537, 1, 1.0, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Number, 192, 0, 0, 1, 1, 1.0, 64), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(static_cast<ExcelValueType>(3), 0, 0, 0, 1, 1, 1.0, 0), ExcelFile::Ok);
    EXPECT_EQ(excel.SetColumnWidth(1, 1, 128), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetFont("Arial", 1639, 0), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetHeader(std::string(256, 'h')), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetDefaultRowHeight(1639), ExcelFile::Overflow);
    EXPECT_EQ(excel.SetRowHeight(1, -1639), ExcelFile::Overflow);
    EXPECT_EQ(excel.InsertHorizPageBreak(0), ExcelFile::Overflow);
    EXPECT_EQ(excel.WriteValue(ExcelValueType::Text, 0, 0, 0, 1, 1, std::string(255, 'x'), 0), ExcelFile::Ok);
    EXPECT_EQ(Written(), Hex("04 00 07 01 00 00 00 00 00 00 00 FF") + std::string(255, 'x')); // only the last
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

} // namespace
} // namespace tolvanor::testing
