// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Deliverables.h"
#include "output/TextDeliverable.h"

namespace tolvanor {

namespace {

// Distance, elevation times ten and remark, under a three-line header.
class RerWriter final : public TextDeliverable {
public:
    RerWriter() : TextDeliverable(OutputFile::OpenMode::Replace) {}

protected:
    bool WriteFileHeader(OutputFile& file) override {
        file.Write("DOWNRANGE    POINT\r\n");
        file.Write(" DISTANCE  ELEVATION  REMARKS\r\n");
        file.Write("---------  ---------  -------\r\n");
        return true;
    }

    bool WriteShots(OutputFile& file, const Job& job, std::int32_t line) override {
        const std::int32_t last = LastShot(job, line);
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            PrefetchShotsAfter(shot);
            if (shot.Ignore) continue;
            const float elevationTimesTen = shot.Elevation * 10.0f;
            file.PutSpaces(2);
            Numbers.WriteGeneralRightAligned(file, shot.DistDownRange, 5);
            file.PutSpaces(6);
            Numbers.WriteGeneralRightAligned(file, elevationTimesTen, 5);
            file.PutSpaces(3);
            file.Write(shot.Remark());
            file.EndLine();
        }
        return true;
    }
};

} // namespace

OutputResult WriteRERFile(const Job& job, const OutputOptions& options, std::string_view folder, Progress* progress) {
    RerWriter writer;
    return WriteDeliverable(job, options, folder, OutputFormat::Rer, writer, progress);
}

} // namespace tolvanor
