// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AtomicFile.h"
#include "core/ShortNumber.h"
#include "output/NumberTexts.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace tolvanor {

// A deliverable written through one large buffer into an AtomicFile: it
// appears under its name only when closed without a failure, so a failed or
// interrupted write leaves the old file exactly as it was. The first failure
// (open, write, close) is kept with the system's reason; later writes are
// dropped, so a writer may check once, at the end of a line or of the file.
class OutputFile {
public:
    enum class OpenMode { Replace, Append };
    static constexpr std::size_t BufferSize = std::size_t{1} << 20;

    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Replace makes a new file for the name; Append starts it with an
    // existing file's contents and writes after them. False (and Reason())
    // when it cannot.
    bool Open(const std::string& path, OpenMode mode);
    // Writes what is buffered and puts the file in place of the old one;
    // false when any step failed (the old file then stays).
    bool Close();
    // Closes without replacing the old file (a writer's own failure).
    void Discard() noexcept;
    bool IsOpen() const noexcept { return file_.IsOpen(); }

    void Write(std::string_view text) {
        if (text.empty()) return; // an empty view may have no data pointer
        if (text.size() > BufferSize - used_) {
            WriteLarge(text);
            return;
        }
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
    }
    // A number's text: one fixed-size copy (the bytes past its end are
    // written over by what follows).
    void Write(NumberView number) {
        const std::string_view text = number;
        if (text.size() > NumberView::Readable || BufferSize - used_ < NumberView::Readable) {
            Write(text);
            return;
        }
        std::memcpy(buffer_.get() + used_, text.data(), NumberView::Readable);
        used_ += text.size();
    }
    // A short number written in place, its last character first.
    void Write(const ShortNumber& number) {
        if (BufferSize - used_ < ShortNumberTextSize) Flush();
        used_ += number.Length;
        WriteShortNumberBefore(buffer_.get() + used_, number);
    }
    // The same right-aligned in a field of `width` (at most FieldRoom): spaces,
    // then the number written back from the field's end; the last `width`
    // characters of a longer text, as RFormat keeps them.
    static constexpr std::size_t FieldRoom = 16;
    void WriteRightAligned(const ShortNumber& number, std::size_t width) {
        if (number.Length > width || width > FieldRoom) {
            char text[ShortNumberTextSize];
            char* const end = text + sizeof text;
            WriteShortNumberBefore(end, number);
            const std::size_t shown = std::min(width, number.Length);
            PutSpaces(width - shown);
            Write(std::string_view(end - shown, shown));
            return;
        }
        if (BufferSize - used_ < ShortNumberTextSize) Flush();
        std::memcpy(buffer_.get() + used_, "                ", FieldRoom);
        used_ += width;
        WriteShortNumberBefore(buffer_.get() + used_, number);
    }
    // A whole number's digits written in place.
    void WriteInteger(std::int64_t value) {
        constexpr std::size_t Room = 24; // a sign and 19 digits
        if (BufferSize - used_ < Room) Flush();
        char* const at = buffer_.get() + used_;
        used_ += static_cast<std::size_t>(std::to_chars(at, at + Room, value).ptr - at);
    }
    void Put(char c) {
        if (used_ == BufferSize) Flush();
        buffer_[used_++] = c;
    }
    void PutSpaces(std::size_t count) {
        constexpr std::size_t Few = 16;
        if (count > Few || BufferSize - used_ < Few) {
            PutManySpaces(count);
            return;
        }
        std::memcpy(buffer_.get() + used_, "                ", Few);
        used_ += count;
    }
    void EndLine() { Write("\r\n"); }

    bool Failed() const noexcept { return !reason_.empty(); }
    const std::string& Reason() const noexcept { return reason_; }
    // The system's error number of the failure (0 when none or unknown).
    int ErrorNumber() const noexcept { return error_; }
    const std::string& Path() const noexcept { return path_; }

private:
    void Flush();
    void PutManySpaces(std::size_t count);
    void WriteLarge(std::string_view text);
    void Fail(int error);

    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    AtomicFile file_;
    std::string path_;
    std::string reason_;
    int error_ = 0;
};

// NumberTexts' texts written straight into a file: the short road in place,
// the general one through its text.
inline std::size_t NumberTexts::WriteMask(OutputFile& file, double value, int decimals, ValuePrecision precision) {
    ShortNumber number;
    if (ShortMask(value, decimals, precision, number)) {
        file.Write(number);
        return number.Length;
    }
    const NumberView text = Mask(value, decimals, precision);
    file.Write(text);
    return text.Text.size();
}

inline std::size_t NumberTexts::WriteGeneral(OutputFile& file, float value) {
    ShortNumber number;
    if (QuickGeneralNumber(value, number)) {
        file.Write(number);
        return number.Length;
    }
    const NumberView text = General(value);
    file.Write(text);
    return text.Text.size();
}

inline void NumberTexts::WriteMaskRightAligned(OutputFile& file, float value, int decimals, int width) {
    ShortNumber number;
    if (width >= 0 && ShortMask(value, decimals, ValuePrecision::Single, number)) {
        file.WriteRightAligned(number, static_cast<std::size_t>(width));
    } else {
        WriteRightAligned(file, Mask(value, decimals), width);
    }
}

inline void NumberTexts::WriteGeneralRightAligned(OutputFile& file, float value, int width) {
    ShortNumber number;
    if (width >= 0 && QuickGeneralNumber(value, number)) {
        file.WriteRightAligned(number, static_cast<std::size_t>(width));
    } else {
        WriteRightAligned(file, General(value), width);
    }
}

} // namespace tolvanor
