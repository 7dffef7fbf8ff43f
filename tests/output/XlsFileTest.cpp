// SPDX-License-Identifier: GPL-3.0-or-later
// The .xls deliverable: its record sequence, its cell values, and a real
// spreadsheet program reading it back.
#include "BiffRecords.h"
#include "OutputTestSupport.h"
#include "SampleJob.h"
#include "XlsCellJob.h"

#include "output/Deliverables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace tolvanor::testing {
namespace {

constexpr std::uint16_t Label = 0x0004, Number = 0x0003;

struct Cell {
    int Row = 0; // 1-based, as the writer counts
    int Column = 0;
    std::uint8_t Attribute2 = 0;
    std::string Text; // LABEL
    double Value = 0; // NUMBER
    bool IsText = false;
};

std::uint16_t U16(const std::string& data, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[at]) |
                                      (static_cast<unsigned char>(data[at + 1]) << 8));
}

std::vector<Cell> Cells(const std::vector<BiffRecord>& records) {
    std::vector<Cell> cells;
    for (const BiffRecord& record : records) {
        if (record.Number != Label && record.Number != Number) continue;
        Cell cell;
        cell.Row = U16(record.Data, 0) + 1;
        cell.Column = U16(record.Data, 2) + 1;
        cell.Attribute2 = static_cast<std::uint8_t>(record.Data[5]);
        EXPECT_EQ(record.Data[4], 0);
        EXPECT_EQ(record.Data[6], 2); // centred
        if (record.Number == Label) {
            cell.IsText = true;
            cell.Text = record.Data.substr(8, static_cast<unsigned char>(record.Data[7]));
        } else {
            std::memcpy(&cell.Value, record.Data.data() + 7, sizeof cell.Value);
        }
        cells.push_back(cell);
    }
    return cells;
}

std::vector<BiffRecord> WriteAndSplit(const Job& job, OutputResult* resultOut = nullptr) {
    TempFolder folder;
    OutputOptions options;
    options.Prefix = "job";
    const OutputResult result = WriteXLSFile(job, options, folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Written);
    if (resultOut != nullptr) *resultOut = result;
    bool complete = false;
    auto records = SplitRecords(ReadBytes(folder.File("job.xls")), complete);
    EXPECT_TRUE(complete);
    return records;
}

TEST(XlsFile, RecordSequence) {
    Job job(10, 20);
    AddLine(job, "12", {{402511.375, 161833.0, 3.4f, 12.345f}});
    const auto records = WriteAndSplit(job);
    std::vector<std::uint16_t> numbers;
    for (const auto& record : records) numbers.push_back(record.Number);
    std::vector<std::uint16_t> expected{0x09, 0x1F};
    expected.insert(expected.end(), 25, 0x1E);
    for (const std::uint16_t n :
         {0x2B, 0x28, 0x29, 0x27, 0x26, 0x25, 0x31, 0x31, 0x31, 0x24, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 0x0A}) {
        expected.push_back(n);
    }
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(records[27].Data, Hex("00 00"));                    // no grid lines
    EXPECT_EQ(records[28].Data, Hex("00 00 00 00 00 00 F0 3F"));  // 1 inch
    EXPECT_EQ(records[32].Data, Hex("18 01"));                    // 14 points
    EXPECT_EQ(records[33].Data, Hex("C8 00 00 00 05") + "Arial"); // plain
    EXPECT_EQ(records[34].Data, Hex("C8 00 01 00 05") + "Arial"); // bold
    EXPECT_EQ(records[35].Data, Hex("C8 00 05 00 05") + "Arial"); // bold underlined
    EXPECT_EQ(records[36].Data, Hex("00 05 00 0D"));              // columns 1-6, 13 wide
}

TEST(XlsFile, CellValuesFollowTheColumnTexts) {
    Job job(10, 20);
    FillCellJob(job);
    const auto cells = Cells(WriteAndSplit(job));
    ASSERT_EQ(cells.size(), 5u * (1u + CellJobRows.size()));
    const std::vector<std::string> headers{"PROFILE", "DISTANCE", "ELEVATION", "NORTHING", "EASTING"};
    const std::vector<std::uint8_t> formats{0, 1, 2, 24, 24};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        const int row = static_cast<int>(i / 5) + 1;
        const int column = static_cast<int>(i % 5) + 1;
        SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
        EXPECT_EQ(cell.Row, row);
        EXPECT_EQ(cell.Column, column);
        if (row == 1) {
            EXPECT_EQ(cell.Text, headers[i]);
            EXPECT_EQ(cell.Attribute2, 128); // third font, General
            continue;
        }
        EXPECT_EQ(cell.Attribute2, formats[i % 5]); // first font
        const Expected& expected = CellJobRows[static_cast<std::size_t>(row - 2)];
        switch (column) {
        case 1:
            EXPECT_EQ(cell.Text, expected.Profile);
            break;
        case 2:
            EXPECT_EQ(cell.Value, expected.Distance);
            break;
        case 3:
            EXPECT_EQ(cell.Value, expected.Elevation);
            break;
        case 4:
            EXPECT_EQ(cell.Value, expected.Northing);
            break;
        case 5:
            EXPECT_EQ(cell.Value, expected.Easting);
            break;
        }
    }
}

TEST(XlsFile, PerLineFilesEachStartAtRowTwo) {
    Job job(10, 20);
    FillCellJob(job);
    TempFolder folder;
    OutputOptions options;
    options.Prefix = "job";
    options.Mode = FileMode::FilePerLine;
    ASSERT_EQ(WriteXLSFile(job, options, folder.Path()).Status, OutputStatus::Written);
    for (const std::string name : {"job_12.xls", "job_13.xls"}) {
        bool complete = false;
        const auto cells = Cells(SplitRecords(ReadBytes(folder.File(name)), complete));
        ASSERT_EQ(cells.size(), 20u) << name;
        EXPECT_EQ(cells[5].Row, 2);
        EXPECT_EQ(cells.back().Row, 4);
    }
}

TEST(XlsFile, RowsPastTheLastWorksheetRowAreLeftOutAndCounted) {
    Job job(30, 3000);
    std::vector<TestShot> shots(2999, TestShot{1.0, 2.0, 3.0f, 4.0f});
    for (int line = 0; line < 23; ++line) AddLine(job, std::to_string(100 + line), shots);
    OutputResult result;
    const auto records = WriteAndSplit(job, &result);
    // 65535 data rows fit under the header row; 68977 - 65535 shots are left out.
    EXPECT_EQ(result.CellsLeftOut, (68977 - 65535) * 5);
    const auto cells = Cells(records);
    ASSERT_EQ(cells.size(), 65536u * 5u);
    EXPECT_EQ(cells.back().Row, 65536);
}

TEST(XlsGolden, SampleJobInASingleFile) {
    Job job(10, 20);
    FillSampleJob(job);
    TempFolder folder;
    OutputOptions options;
    options.Prefix = "job";
    ASSERT_EQ(WriteXLSFile(job, options, folder.Path()).Status, OutputStatus::Written);
    ExpectGolden(ReadBytes(folder.File("job.xls")), "sample.xls");
}

} // namespace
} // namespace tolvanor::testing
