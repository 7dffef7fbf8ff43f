// SPDX-License-Identifier: GPL-3.0-or-later
// A real spreadsheet program must read the .xls deliverable: LibreOffice
// converts it to CSV and every cell must come back with its value.
#include "OutputTestSupport.h"
#include "XlsCellJob.h"

#include "core/Text.h"
#include "output/Deliverables.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tolvanor::testing {
namespace {

bool LibreOfficeInstalled() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

// Converts with a private user profile so parallel runs do not meet.
bool ConvertToCsv(const TempFolder& folder, const std::string& xls) {
    const std::string command = "soffice --headless -env:UserInstallation=file://" + folder.File("profile") +
                                " --convert-to csv --outdir '" + folder.Path() + "' '" + xls + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (std::string_view line : SplitFields(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        std::vector<std::string> fields;
        for (const auto field : SplitFields(line, ',')) fields.emplace_back(field);
        rows.push_back(std::move(fields));
    }
    return rows;
}

TEST(XlsLibreOffice, EveryCellReadsBack) {
    if (!LibreOfficeInstalled()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the .xls file was not checked with a real reader";
    }
    Job job(10, 20);
    FillCellJob(job);
    TempFolder folder;
    OutputOptions options;
    options.Prefix = "job";
    ASSERT_EQ(WriteXLSFile(job, options, folder.Path()).Status, OutputStatus::Written);
    ASSERT_TRUE(ConvertToCsv(folder, folder.File("job.xls"))) << "LibreOffice could not convert the file";
    const auto rows = CsvRows(ReadBytes(folder.File("job.csv")));

    ASSERT_EQ(rows.size(), 1 + CellJobRows.size()) << "LibreOffice did not read every row";
    EXPECT_EQ(rows[0], (std::vector<std::string>{"PROFILE", "DISTANCE", "ELEVATION", "NORTHING", "EASTING"}));
    for (std::size_t i = 0; i < CellJobRows.size(); ++i) {
        const Expected& expected = CellJobRows[i];
        const auto& row = rows[i + 1];
        SCOPED_TRACE("row " + std::to_string(i + 2));
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], expected.Profile);
        const double values[] = {expected.Distance, expected.Elevation, expected.Northing, expected.Easting};
        for (std::size_t column = 0; column < 4; ++column) {
            EXPECT_DOUBLE_EQ(std::strtod(row[column + 1].c_str(), nullptr), values[column])
                << "column " << column + 2 << " reads " << row[column + 1];
        }
    }
}

} // namespace
} // namespace tolvanor::testing
