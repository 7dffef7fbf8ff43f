// SPDX-License-Identifier: GPL-3.0-or-later
// The .xls deliverable (its bytes: DeliverableGolden): its rows, and a real
// spreadsheet program reading every cell back.
#include "OutputTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tolvanor::testing {
namespace {

// Two lines with ignored, small, negative, rounded and cut values.
void FillCellJob(Job& job) {
    AddLine(job, "12",
            {{402511.375, 161833.0, 2.46f, 12.345f},
             {1.0, 2.0, -0.04f, 123.4567f},
             {5.0, 6.0, 7.0f, 8.0f, "", true},
             {402515.123456789, 161838.987654321, 1234.56f, -30.0f}});
    AddLine(job, "13",
            {{3.0, 4.0, 5.0f, 6.0f},
             {12345678901.123456, -0.000004, 0.0f, 1234567.0f},
             {100.0, 0.5, -12.25f, 12345678.0f}});
}

// The cell job's worksheet as LibreOffice reads it, converted to CSV.
const std::string CellJobSheet = "PROFILE,DISTANCE,ELEVATION,NORTHING,EASTING\n"
                                 "12 ,12.345,2.5,161833,402511.375\n"
                                 "12 ,3.4567,0,2,1\n" // "123.4567" keeps its last 6 characters
                                 "12 ,-30,1234.6,161838.98765,402515.12346\n"
                                 "13 ,6,5,4,3\n"
                                 "13 ,234567,0,0,45678901.1235\n" // "12345678901.12350" keeps 14
                                 "13 ,680000000,-12.3,0.5,100\n"; // "1.234568E+07" keeps "68E+07"

std::uint16_t U16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// The 1-based row of every LABEL and NUMBER record.
std::vector<int> CellRows(const std::string& bytes) {
    std::vector<int> rows;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4 + U16(bytes, at + 2))
        if (U16(bytes, at) == 0x0004 || U16(bytes, at) == 0x0003) rows.push_back(U16(bytes, at + 4) + 1);
    return rows;
}

std::vector<int> RowsUpTo(int last) {
    std::vector<int> rows;
    for (int row = 1; row <= last; ++row) rows.insert(rows.end(), 5, row);
    return rows;
}

TEST(XlsFile, RowsRunOnInASingleFileRestartPerLineAndStopAtTheLastRow) {
    Job job(10, 20);
    FillCellJob(job);
    TempFolder folder;
    for (const FileMode mode : {FileMode::SingleFile, FileMode::FilePerLine})
        ASSERT_EQ(WriteXLSFile(job, Options(mode), folder.Path()).Status, OutputStatus::Written);
    EXPECT_EQ(CellRows(ReadBytes(folder.File("job.xls"))), RowsUpTo(7));
    EXPECT_EQ(CellRows(ReadBytes(folder.File("job_12.xls"))), RowsUpTo(4));
    EXPECT_EQ(CellRows(ReadBytes(folder.File("job_13.xls"))), RowsUpTo(4));
    // 65535 data rows fit under the header row; 68977 - 65535 shots are left out and counted.
    Job big(30, 3000);
    const std::vector<TestShot> shots(2999, TestShot{1.0, 2.0, 3.0f, 4.0f});
    for (int line = 0; line < 23; ++line) AddLine(big, std::to_string(100 + line), shots);
    const OutputResult result = WriteXLSFile(big, Options(), folder.Path());
    ASSERT_EQ(result.Status, OutputStatus::Written);
    EXPECT_EQ(result.CellsLeftOut, (68977 - 65535) * 5);
    EXPECT_EQ(CellRows(ReadBytes(folder.File("job.xls"))), RowsUpTo(65536));
}

// LibreOffice converts the file to CSV (with a private user profile so that
// parallel runs do not meet); every cell must come back with its value.
TEST(XlsLibreOffice, EveryCellReadsBack) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the .xls file was not checked with a real reader";
    Job job(10, 20);
    FillCellJob(job);
    TempFolder folder;
    ASSERT_EQ(WriteXLSFile(job, Options(), folder.Path()).Status, OutputStatus::Written);
    const std::string command = "soffice --headless -env:UserInstallation=file://" + folder.File("profile") +
                                " --convert-to csv --outdir '" + folder.Path() + "' '" + folder.File("job.xls") +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "LibreOffice could not convert the file";
    EXPECT_EQ(ReadBytes(folder.File("job.csv")), CellJobSheet);
}

} // namespace
} // namespace tolvanor::testing
