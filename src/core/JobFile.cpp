// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobFile.h"

#include "core/AtomicFile.h"
#include "core/Job.h"
#include "core/Progress.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace tolvanor {

namespace {

constexpr std::size_t FlushSize = std::size_t{1} << 20;
// The longest record text without its four texts: 17 fields of at most 24 characters.
constexpr std::size_t MaxNumbersSize = 17 * 25 + 2;

// A value the reader reads back exactly: the shortest round-trip text,
// "0" for either zero. Values no text can carry (infinities, NaN) are
// written as the nearest finite value, so a saved job always reopens.
template <typename Real> char* PutNumber(char* out, Real value) {
    if (value == 0 || std::isnan(value)) {
        *out = '0';
        return out + 1;
    }
    if (std::isinf(value)) value = value > 0 ? std::numeric_limits<Real>::max() : std::numeric_limits<Real>::lowest();
    return std::to_chars(out, out + 32, value).ptr;
}

char* PutInteger(char* out, std::int64_t value) {
    return std::to_chars(out, out + 24, value).ptr;
}

// " 12" for a non-negative index, "-3" otherwise.
char* PutIndex(char* out, std::int64_t value) {
    if (value >= 0) *out++ = ' ';
    return PutInteger(out, value);
}

char* PutText(char* out, std::string_view text) {
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* PutUpperText(char* out, std::string_view text) {
    for (char c : text) *out++ = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return out;
}

// Collects record texts and hands them on in big blocks.
template <typename Sink> class JobTextWriter {
public:
    explicit JobTextWriter(Sink& sink) : sink_(sink) {}

    bool Write(const Job& job, Progress* progress) {
        // Counts are kept within the table, so a damaged header cannot walk off it.
        const std::int32_t lastLine = std::min(job.LineCount, job.Data.LineBound());
        auto shotsOf = [&](std::int32_t line) { return std::min(job.ShotCount(line), job.Data.ShotBound()); };
        std::int64_t total = 0;
        for (std::int32_t line = 0; line <= lastLine; ++line) total += std::max(shotsOf(line), -1) + 1;
        std::int64_t done = 0;
        for (std::int32_t line = 0; line <= lastLine; ++line) {
            const std::int32_t shots = shotsOf(line);
            for (std::int32_t shot = 0; shot <= shots; ++shot) {
                Put(line, shot, job.Data.At(line, shot));
                if (buffer_.size() >= FlushSize) {
                    if (!Flush()) return false;
                    ReportProgress(progress, done, total);
                }
                ++done;
            }
        }
        return Flush();
    }

private:
    void Put(std::int32_t line, std::int32_t shot, const ShotRecord& record) {
        const auto remark = record.Remark();
        const auto shotType = record.ShotType();
        const auto surveyType = record.SurveyType();
        const auto profile = record.ProfileNumber();
        const std::size_t start = buffer_.size();
        buffer_.resize(start + MaxNumbersSize + remark.size() + shotType.size() + surveyType.size() + profile.size());
        char* out = buffer_.data() + start;
        out = PutIndex(out, line);
        *out++ = ',';
        out = PutIndex(out, shot);
        *out++ = ',';
        out = PutInteger(out, record.SeqNum);
        *out++ = ',';
        out = PutNumber(out, record.Easting);
        *out++ = ',';
        out = PutNumber(out, record.Northing);
        *out++ = ',';
        out = PutNumber(out, record.Elevation);
        *out++ = ',';
        out = PutText(out, remark);
        *out++ = ',';
        out = PutNumber(out, record.DistDownRange);
        *out++ = ',';
        out = PutText(out, shotType);
        *out++ = ',';
        out = PutText(out, surveyType);
        *out++ = ',';
        out = PutText(out, record.Ignore ? std::string_view("True") : std::string_view("False"));
        *out++ = ',';
        out = PutUpperText(out, profile);
        for (const float value : {record.DBT, record.Tide, record.Heave, record.Pitch, record.Roll}) {
            *out++ = ',';
            out = PutNumber(out, value);
        }
        *out++ = '\r';
        *out++ = '\n';
        buffer_.resize(static_cast<std::size_t>(out - buffer_.data()));
    }

    bool Flush() {
        const bool ok = sink_(std::string_view(buffer_));
        buffer_.clear();
        return ok;
    }

    Sink& sink_;
    std::string buffer_;
};

} // namespace

JobFileStatus WriteJobFile(const Job& job, const std::string& path, Progress* progress) {
    AtomicFile file;
    if (!file.Open(path, AtomicFile::Start::Empty)) return {false, file.Reason()};
    auto sink = [&file](std::string_view bytes) { return file.Write(bytes); };
    if (!JobTextWriter<decltype(sink)>(sink).Write(job, progress) || !file.Commit()) {
        file.Abandon();
        return {false, file.Reason()};
    }
    return {};
}

std::string JobFileText(const Job& job) {
    std::string text;
    auto sink = [&text](std::string_view bytes) {
        text.append(bytes);
        return true;
    };
    JobTextWriter<decltype(sink)>(sink).Write(job, nullptr);
    return text;
}

} // namespace tolvanor
