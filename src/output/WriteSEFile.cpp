// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Deliverables.h"
#include "output/TextDeliverable.h"

#include "core/Rounding.h"

#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

constexpr float StationStep = 50.0f;

// The station before the first shot, on the 50 grid, in single precision:
// below a negative distance one step further out, 0 at 0, rounded down above.
float OpeningStation(float distance) {
    const float steps = distance / StationStep;
    if (distance < 0) return (std::trunc(steps) - 1.0f) * StationStep;
    if (distance == 0) return 0.0f;
    return std::floor(steps) * StationStep;
}

// The station after the last shot; it must fit 16 bits.
bool ClosingStation(float distance, std::int16_t& station) {
    const float value = (std::trunc(distance / StationStep) + 1.0f) * StationStep;
    if (!std::isfinite(value)) return false;
    const double rounded = RoundHalfEven(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    station = static_cast<std::int16_t>(rounded);
    return true;
}

// Intergraph sections: per profile an opening station, the shots as
// distance and elevation, and a closing station. No file header; appended.
class SeWriter final : public TextDeliverable {
public:
    SeWriter() : TextDeliverable(OutputFile::OpenMode::Append) {}

protected:
    bool WriteShots(OutputFile& file, const Job& job, std::int32_t line) override {
        const std::int32_t last = LastShot(job, line);
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            PrefetchShotsAfter(shot);
            if (shot.Ignore) continue;
            if (s == 1) {
                // A one-shot profile gets its opening station only.
                Numbers.WriteGeneralRightAligned(file, OpeningStation(shot.DistDownRange), 6);
                file.Write("     0   1\r\n");
                WriteShotLine(file, shot);
            } else if (s == last) {
                WriteShotLine(file, shot);
                std::int16_t station = 0;
                if (!ClosingStation(shot.DistDownRange, station)) return Fail(Path(), "Overflow");
                WriteRightAligned(file, Numbers.Integer(station), 6);
                file.Write("     0   0\r\n");
            } else {
                WriteShotLine(file, shot);
            }
        }
        return true;
    }

private:
    void WriteShotLine(OutputFile& file, const ShotRecord& shot) {
        Numbers.WriteGeneralRightAligned(file, shot.DistDownRange, 6);
        Numbers.WriteMaskRightAligned(file, shot.Elevation, 1, 6);
        file.Write("   0\r\n");
    }
};

} // namespace

OutputResult WriteSEFile(const Job& job, const OutputOptions& options, std::string_view folder, Progress* progress) {
    SeWriter writer;
    return WriteDeliverable(job, options, folder, OutputFormat::Se, writer, progress);
}

} // namespace tolvanor
