// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/OutputFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tolvanor {

// A cell's value as the caller has it: a number or a text.
using ExcelValue = std::variant<double, std::string_view>;

enum class ExcelValueType : int { Integer = 0, Number = 1, Text = 2 };

// A single-sheet BIFF2 (Excel 2.x) worksheet written record by record. The
// calls' order is the records' order. Methods return a status: 0, or the
// number of the failure that stopped the record (nothing of it is written).
class ExcelFile {
public:
    // Status numbers.
    static constexpr std::int16_t Ok = 0;
    static constexpr std::int16_t Overflow = 6;
    static constexpr std::int16_t TypeMismatch = 13;
    static constexpr std::int16_t BadFileNumber = 52; // no file open
    static constexpr std::int16_t DeviceError = 57;
    static constexpr std::int16_t DiskFull = 61;
    static constexpr std::int16_t PermissionDenied = 70;
    static constexpr std::int16_t PathFileAccessError = 75;
    static constexpr std::int16_t PathNotFound = 76;

    // Cell attribute values the worksheet writers use.
    static constexpr std::uint8_t Font0 = 0, Font1 = 64, Font2 = 128, Font3 = 192;
    static constexpr std::uint8_t AlignCentre = 2;
    // Margin record numbers.
    static constexpr std::int16_t LeftMargin = 0x26, RightMargin = 0x27, TopMargin = 0x28, BottomMargin = 0x29;

    // Rows 1..65536 and columns 1..65536 fit the 16-bit fields (stored less one).
    static constexpr std::int32_t MaxRow = 65536;

    ExcelFile() = default;
    ExcelFile(const ExcelFile&) = delete;
    ExcelFile& operator=(const ExcelFile&) = delete;

    // Starts a new file for the name (the old one stays until CloseFile puts
    // the new one in its place), writes BOF and the default formats.
    std::int16_t CreateFile(const std::string& path);
    // Sorted page breaks (if any) and EOF, then closes. 0 when nothing is open.
    std::int16_t CloseFile();
    std::int16_t InsertHorizPageBreak(std::int32_t row);
    // Font is 0/64/128/192 (bits 6-7 of attribute 2), the format index goes
    // into bits 0-5; their sum must fit one byte. Any other type writes nothing.
    std::int16_t WriteValue(ExcelValueType valueType, std::uint8_t font, std::uint8_t alignment,
                            std::uint8_t hiddenLocked, std::int32_t row, std::int32_t column, const ExcelValue& value,
                            std::int32_t formatIndex);
    std::int16_t SetMargin(std::int16_t marginCode, double inches);
    std::int16_t SetColumnWidth(std::uint8_t firstColumn, std::uint8_t lastColumn, std::int16_t width);
    // Attributes: 1 bold, 2 italic, 4 underline, 8 strike-out, added.
    std::int16_t SetFont(std::string_view name, std::int16_t height, std::uint8_t attributes);
    std::int16_t SetHeader(std::string_view text);
    std::int16_t SetFooter(std::string_view text);
    std::int16_t SetFilePassword(std::string_view text);
    void PrintGridLines(bool print);
    void ProtectSpreadsheet(bool protect);
    std::int16_t WriteDefaultFormats();
    // The two little-endian bytes of the integer.
    static std::string MKI(std::int16_t value);
    std::int16_t SetDefaultRowHeight(std::int16_t height);
    std::int16_t SetRowHeight(std::int32_t row, std::int16_t height);

    // The system's reason for the first file failure since CreateFile; empty when none.
    const std::string& FileError() const noexcept { return file_.Reason(); }

private:
    std::int16_t FileStatus() const;
    std::int16_t WriteRecord(std::uint16_t number, std::string_view data);
    std::int16_t WriteTextRecord(std::uint16_t number, std::string_view text);
    std::int16_t WriteFlag(std::uint16_t number, bool flag);

    OutputFile file_;
    std::vector<std::uint16_t> pageBreaks_;
    std::string scratch_; // the record being built
};

} // namespace tolvanor
