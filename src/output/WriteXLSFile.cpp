// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/DeliverableWalk.h"
#include "output/Deliverables.h"
#include "output/NumberTexts.h"
#include "output/xls/ExcelFile.h"

#include "core/NumberParsing.h"
#include "core/Text.h"

#include <array>

namespace tolvanor {

namespace {

constexpr double MarginInches = 1.0;
constexpr std::int16_t RowHeightPoints = 14;
constexpr std::int16_t FontPoints = 10;
constexpr std::uint8_t ColumnWidthCharacters = 13;
constexpr std::int32_t FirstDataRow = 2;
constexpr std::int32_t GeneralFormat = 0;

struct Column {
    std::string_view Header;
    std::int32_t Format; // index into the default formats
};
constexpr std::array<Column, 5> Columns{{
    {"PROFILE", 0},   // General
    {"DISTANCE", 1},  // 0
    {"ELEVATION", 2}, // 0.00
    {"NORTHING", 24}, // 0.000
    {"EASTING", 24},  // 0.000
}};

// Profile, distance, elevation, northing and easting, one row per used shot
// under one header row per file. The numbers stored are those of the
// right-aligned column texts (so cut or rounded as those are).
class XlsWriter final : public DeliverableWriter {
public:
    bool Open(const std::string& path) override {
        path_ = path;
        if (excel_.CreateFile(path) != ExcelFile::Ok) return false;
        excel_.PrintGridLines(false);
        for (const std::int16_t margin :
             {ExcelFile::TopMargin, ExcelFile::BottomMargin, ExcelFile::RightMargin, ExcelFile::LeftMargin}) {
            excel_.SetMargin(margin, MarginInches);
        }
        excel_.SetDefaultRowHeight(RowHeightPoints);
        excel_.SetFont("Arial", FontPoints, 0);
        excel_.SetFont("Arial", FontPoints, 1); // bold
        excel_.SetFont("Arial", FontPoints, 5); // bold, underlined
        excel_.SetColumnWidth(1, 6, ColumnWidthCharacters);
        for (std::int32_t column = 1; column <= static_cast<std::int32_t>(Columns.size()); ++column) {
            Cell(ExcelValueType::Text, ExcelFile::Font2, 1, column, Columns[column - 1].Header, GeneralFormat);
        }
        row_ = FirstDataRow;
        return excel_.FileError().empty();
    }

    bool WriteLine(const Job& job, std::int32_t line) override {
        const std::int32_t last = LastShot(job, line);
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            if (shot.Ignore) continue;
            WriteShot(shot);
            ++row_;
        }
        return excel_.FileError().empty();
    }

    bool Close() override { return excel_.CloseFile() == ExcelFile::Ok; }

    WriteFailure Failure() const override { return {path_, excel_.FileError()}; }

    std::int64_t CellsLeftOut() const noexcept { return cellsLeftOut_; }

private:
    void WriteShot(const ShotRecord& shot) {
        if (row_ > ExcelFile::MaxRow) {
            cellsLeftOut_ += static_cast<std::int64_t>(Columns.size());
            return;
        }
        label_.assign(shot.ProfileNumber());
        label_.push_back(' ');
        Cell(ExcelValueType::Text, ExcelFile::Font0, row_, 1, std::string_view(label_), Columns[0].Format);
        NumberCell(2, RightText(numbers_.General(shot.DistDownRange), 6));
        NumberCell(3, RightText(numbers_.Mask(shot.Elevation, 1), 6));
        NumberCell(4, RightText(numbers_.Mask(shot.Northing, 5), 14));
        NumberCell(5, RightText(numbers_.Mask(shot.Easting, 5), 14));
    }

    // A column text that is no number any more (a cut exponent) is left out.
    void NumberCell(std::int32_t column, std::string_view text) {
        double value = 0;
        if (StrictToDouble(text, value) != ConversionStatus::Ok) {
            ++cellsLeftOut_;
            return;
        }
        Cell(ExcelValueType::Number, ExcelFile::Font0, row_, column, value, Columns[column - 1].Format);
    }

    void Cell(ExcelValueType type, std::uint8_t font, std::int32_t row, std::int32_t column, const ExcelValue& value,
              std::int32_t format) {
        const std::int16_t status =
            excel_.WriteValue(type, font, ExcelFile::AlignCentre, 0, row, column, value, format);
        if (status != ExcelFile::Ok && excel_.FileError().empty()) ++cellsLeftOut_;
    }

    ExcelFile excel_;
    NumberTexts numbers_;
    std::string path_;
    std::string label_;
    std::int32_t row_ = FirstDataRow;
    std::int64_t cellsLeftOut_ = 0;
};

} // namespace

OutputResult WriteXLSFile(const Job& job, const OutputOptions& options, std::string_view folder, Progress* progress) {
    XlsWriter writer;
    OutputResult result = WriteDeliverable(job, options, folder, OutputFormat::Xls, writer, progress);
    result.CellsLeftOut = writer.CellsLeftOut();
    return result;
}

} // namespace tolvanor
