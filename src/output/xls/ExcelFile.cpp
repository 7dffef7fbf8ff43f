// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/xls/ExcelFile.h"

#include "core/GeneralText.h"
#include "core/NumberParsing.h"
#include "core/Rounding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

constexpr std::uint16_t RecordInteger = 0x0002;
constexpr std::uint16_t RecordNumber = 0x0003;
constexpr std::uint16_t RecordLabel = 0x0004;
constexpr std::uint16_t RecordRow = 0x0008;
constexpr std::uint16_t RecordBof = 0x0009;
constexpr std::uint16_t RecordEof = 0x000A;
constexpr std::uint16_t RecordProtect = 0x0012;
constexpr std::uint16_t RecordHeader = 0x0014;
constexpr std::uint16_t RecordFooter = 0x0015;
constexpr std::uint16_t RecordPageBreaks = 0x001B;
constexpr std::uint16_t RecordFormat = 0x001E;
constexpr std::uint16_t RecordFormatCount = 0x001F;
constexpr std::uint16_t RecordColWidth = 0x0024;
constexpr std::uint16_t RecordDefaultRowHeight = 0x0025;
constexpr std::uint16_t RecordPrintGridLines = 0x002B;
constexpr std::uint16_t RecordFilePass = 0x002F;
constexpr std::uint16_t RecordFont = 0x0031;

constexpr std::uint16_t BiffVersion = 2;
constexpr std::uint16_t WorksheetType = 0x000A;
constexpr std::size_t MaxShortText = 255;
constexpr std::size_t MaxRecordData = 0xFFFF;

// Index = position; the count record says one less than there are.
constexpr std::array<std::string_view, 25> DefaultFormats{
    "General",
    "0",
    "0.00",
    "#,##0",
    "#,##0.00",
    R"(#,##0\ "$";\-#,##0\ "$")",
    R"(#,##0\ "$";[Red]\-#,##0\ "$")",
    R"(#,##0.00\ "$";\-#,##0.00\ "$")",
    R"(#,##0.00\ "$";[Red]\-#,##0.00\ "$")",
    "0%",
    "0.00%",
    "0.00E+00",
    "dd/mm/yy",
    R"(dd/\ mmm\ yy)",
    R"(dd/\ mmm)",
    R"(mmm\ yy)",
    R"(h:mm\ AM/PM)",
    R"(h:mm:ss\ AM/PM)",
    "hh:mm",
    "hh:mm:ss",
    R"(dd/mm/yy\ hh:mm)",
    "##0.0E+0",
    "mm:ss",
    "@",
    "0.000",
};
constexpr std::uint16_t FormatCountValue = DefaultFormats.size() - 1;

// Little-endian record data.
class Bytes {
public:
    explicit Bytes(std::string& buffer) : buffer_(buffer) { buffer_.clear(); }
    Bytes& U8(std::uint8_t value) {
        buffer_.push_back(static_cast<char>(value));
        return *this;
    }
    Bytes& U16(std::uint16_t value) {
        return U8(static_cast<std::uint8_t>(value & 0xFF)).U8(static_cast<std::uint8_t>(value >> 8));
    }
    Bytes& F64(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int shift = 0; shift < 64; shift += 8) U8(static_cast<std::uint8_t>(bits >> shift));
        return *this;
    }
    Bytes& Text(std::string_view text) {
        buffer_.append(text);
        return *this;
    }
    std::string_view View() const { return buffer_; }

private:
    std::string& buffer_;
};

// A 1-based row or column as its 0-based 16-bit field.
bool ToIndex(std::int32_t value, std::uint16_t& index) {
    if (value < 1 || value > ExcelFile::MaxRow) return false;
    index = static_cast<std::uint16_t>(value - 1);
    return true;
}

// value × factor as a signed 16-bit field.
bool ScaledToInt16(std::int32_t value, std::int32_t factor, std::uint16_t& field) {
    const std::int64_t scaled = static_cast<std::int64_t>(value) * factor;
    if (scaled < std::numeric_limits<std::int16_t>::min() || scaled > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    field = static_cast<std::uint16_t>(static_cast<std::int16_t>(scaled));
    return true;
}

std::int16_t ToDouble(const ExcelValue& value, double& number) {
    if (const double* given = std::get_if<double>(&value)) {
        number = *given;
        return ExcelFile::Ok;
    }
    switch (StrictToDouble(std::get<std::string_view>(value), number)) {
    case ConversionStatus::Ok:
        return ExcelFile::Ok;
    case ConversionStatus::TypeMismatch:
        return ExcelFile::TypeMismatch;
    case ConversionStatus::Overflow:
        return ExcelFile::Overflow;
    }
    return ExcelFile::TypeMismatch;
}

} // namespace

std::int16_t ExcelFile::FileStatus() const {
    if (!file_.Failed()) return Ok;
    switch (file_.ErrorNumber()) {
    case ENOENT:
    case ENOTDIR:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    case EIO:
        return DeviceError;
    default:
        return PathFileAccessError;
    }
}

std::int16_t ExcelFile::WriteRecord(std::uint16_t number, std::string_view data) {
    if (!file_.IsOpen()) return file_.Failed() ? FileStatus() : BadFileNumber;
    if (data.size() > MaxRecordData) return Overflow;
    const char head[4] = {static_cast<char>(number & 0xFF), static_cast<char>(number >> 8),
                          static_cast<char>(data.size() & 0xFF), static_cast<char>(data.size() >> 8)};
    file_.Write(std::string_view(head, sizeof head));
    file_.Write(data);
    return FileStatus();
}

std::int16_t ExcelFile::WriteTextRecord(std::uint16_t number, std::string_view text) {
    if (text.size() > MaxShortText) return Overflow;
    return WriteRecord(number, Bytes(scratch_).U8(static_cast<std::uint8_t>(text.size())).Text(text).View());
}

std::int16_t ExcelFile::WriteFlag(std::uint16_t number, bool flag) {
    return WriteRecord(number, Bytes(scratch_).U16(flag ? 1 : 0).View());
}

std::int16_t ExcelFile::CreateFile(const std::string& path) {
    if (file_.IsOpen()) CloseFile();
    pageBreaks_.clear();
    // The old file stays until the new one is complete; a folder of that
    // name, or a file that may not be replaced, fails the open.
    if (!file_.Open(path, OutputFile::OpenMode::Replace)) return FileStatus();
    const std::int16_t status = WriteRecord(RecordBof, Bytes(scratch_).U16(BiffVersion).U16(WorksheetType).View());
    if (status != Ok) return status;
    return WriteDefaultFormats();
}

std::int16_t ExcelFile::CloseFile() {
    if (!file_.IsOpen()) return Ok;
    if (!pageBreaks_.empty()) {
        std::sort(pageBreaks_.begin(), pageBreaks_.end());
        Bytes bytes(scratch_);
        bytes.U16(static_cast<std::uint16_t>(pageBreaks_.size()));
        for (const std::uint16_t row : pageBreaks_) bytes.U16(row);
        WriteRecord(RecordPageBreaks, bytes.View());
    }
    WriteRecord(RecordEof, {});
    file_.Close();
    return FileStatus();
}

std::int16_t ExcelFile::InsertHorizPageBreak(std::int32_t row) {
    std::uint16_t index = 0;
    if (!ToIndex(row, index)) return Overflow;
    pageBreaks_.push_back(index);
    return Ok;
}

std::int16_t ExcelFile::WriteValue(ExcelValueType valueType, std::uint8_t font, std::uint8_t alignment,
                                   std::uint8_t hiddenLocked, std::int32_t row, std::int32_t column,
                                   const ExcelValue& value, std::int32_t formatIndex) {
    std::uint16_t rowField = 0;
    std::uint16_t columnField = 0;
    if (!ToIndex(row, rowField) || !ToIndex(column, columnField)) return Overflow;
    const std::int64_t fontAndFormat = static_cast<std::int64_t>(font) + formatIndex;
    if (fontAndFormat < 0 || fontAndFormat > 0xFF) return Overflow;

    Bytes bytes(scratch_);
    bytes.U16(rowField).U16(columnField).U8(hiddenLocked).U8(static_cast<std::uint8_t>(fontAndFormat)).U8(alignment);
    switch (valueType) {
    case ExcelValueType::Integer: {
        double number = 0;
        if (const std::int16_t status = ToDouble(value, number); status != Ok) return status;
        const double rounded = RoundHalfEven(number);
        if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
              rounded <= std::numeric_limits<std::int16_t>::max())) {
            return Overflow;
        }
        bytes.U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(rounded)));
        return WriteRecord(RecordInteger, bytes.View());
    }
    case ExcelValueType::Number: {
        double number = 0;
        if (const std::int16_t status = ToDouble(value, number); status != Ok) return status;
        bytes.F64(number);
        return WriteRecord(RecordNumber, bytes.View());
    }
    case ExcelValueType::Text: {
        const double* number = std::get_if<double>(&value);
        const std::string numberText = number != nullptr ? GeneralText(*number) : std::string();
        const std::string_view text =
            number != nullptr ? std::string_view(numberText) : std::get<std::string_view>(value);
        if (text.size() > MaxShortText) return Overflow;
        bytes.U8(static_cast<std::uint8_t>(text.size())).Text(text);
        return WriteRecord(RecordLabel, bytes.View());
    }
    }
    return Ok; // any other type writes nothing
}

std::int16_t ExcelFile::SetMargin(std::int16_t marginCode, double inches) {
    return WriteRecord(static_cast<std::uint16_t>(marginCode), Bytes(scratch_).F64(inches).View());
}

std::int16_t ExcelFile::SetColumnWidth(std::uint8_t firstColumn, std::uint8_t lastColumn, std::int16_t width) {
    std::uint16_t widthField = 0;
    if (firstColumn < 1 || lastColumn < 1 || !ScaledToInt16(width, 256, widthField)) return Overflow;
    Bytes bytes(scratch_);
    bytes.U8(static_cast<std::uint8_t>(firstColumn - 1)).U8(static_cast<std::uint8_t>(lastColumn - 1)).U16(widthField);
    return WriteRecord(RecordColWidth, bytes.View());
}

std::int16_t ExcelFile::SetFont(std::string_view name, std::int16_t height, std::uint8_t attributes) {
    std::uint16_t heightField = 0;
    if (name.size() > MaxShortText || !ScaledToInt16(height, 20, heightField)) return Overflow;
    Bytes bytes(scratch_);
    bytes.U16(heightField).U8(attributes).U8(0).U8(static_cast<std::uint8_t>(name.size())).Text(name);
    return WriteRecord(RecordFont, bytes.View());
}

std::int16_t ExcelFile::SetHeader(std::string_view text) {
    return WriteTextRecord(RecordHeader, text);
}

std::int16_t ExcelFile::SetFooter(std::string_view text) {
    return WriteTextRecord(RecordFooter, text);
}

std::int16_t ExcelFile::SetFilePassword(std::string_view text) {
    return WriteRecord(RecordFilePass, text);
}

void ExcelFile::PrintGridLines(bool print) {
    WriteFlag(RecordPrintGridLines, print);
}

void ExcelFile::ProtectSpreadsheet(bool protect) {
    WriteFlag(RecordProtect, protect);
}

std::int16_t ExcelFile::WriteDefaultFormats() {
    std::int16_t status = WriteRecord(RecordFormatCount, Bytes(scratch_).U16(FormatCountValue).View());
    for (const std::string_view format : DefaultFormats) {
        if (status != Ok) break;
        status = WriteTextRecord(RecordFormat, format);
    }
    return status;
}

std::string ExcelFile::MKI(std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
}

std::int16_t ExcelFile::SetDefaultRowHeight(std::int16_t height) {
    std::uint16_t heightField = 0;
    if (!ScaledToInt16(height, 20, heightField)) return Overflow;
    return WriteRecord(RecordDefaultRowHeight, Bytes(scratch_).U16(heightField).View());
}

std::int16_t ExcelFile::SetRowHeight(std::int32_t row, std::int16_t height) {
    std::uint16_t rowField = 0;
    std::uint16_t heightField = 0;
    if (!ToIndex(row, rowField) || !ScaledToInt16(height, 20, heightField)) return Overflow;
    Bytes bytes(scratch_);
    bytes.U16(rowField).U16(0).U16(256).U16(heightField).U16(0).U8(0).U16(0).U8(0).U8(0).U8(0);
    return WriteRecord(RecordRow, bytes.View());
}

} // namespace tolvanor
