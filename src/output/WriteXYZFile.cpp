// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Deliverables.h"
#include "output/TextDeliverable.h"

namespace tolvanor {

namespace {

// Column-aligned easting, northing, elevation, remark. Each field starts at
// its column unless the text before it already reaches that far.
class XyzWriter final : public TextDeliverable {
public:
    XyzWriter() : TextDeliverable(OutputFile::OpenMode::Replace) {}

protected:
    bool WriteShots(OutputFile& file, const Job& job, std::int32_t line) override {
        const std::int32_t last = LastShot(job, line);
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            PrefetchShotsAfter(shot);
            if (shot.Ignore) continue;
            std::size_t length = 10;
            file.PutSpaces(10);
            length += Numbers.WriteMask(file, shot.Easting, 4);
            PadToColumn(file, length, 28);
            length += Numbers.WriteMask(file, shot.Northing, 4);
            PadToColumn(file, length, 44);
            length += Numbers.WriteGeneral(file, shot.Elevation);
            PadToColumn(file, length, 52);
            file.Write(shot.Remark());
            file.EndLine();
        }
        return true;
    }

private:
    // Spaces up to column - 1 characters, so the next text starts at `column` (1-based).
    static void PadToColumn(OutputFile& file, std::size_t& length, std::size_t column) {
        if (length >= column) return;
        file.PutSpaces(column - 1 - length);
        length = column - 1;
    }
};

} // namespace

OutputResult WriteXYZFile(const Job& job, const OutputOptions& options, std::string_view folder, Progress* progress) {
    XyzWriter writer;
    return WriteDeliverable(job, options, folder, OutputFormat::Xyz, writer, progress);
}

} // namespace tolvanor
