// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Deliverables.h"
#include "output/TextDeliverable.h"

namespace tolvanor {

namespace {

// SeqNum,easting,northing,elevation,remark: no header, no quoting.
class CsvWriter final : public TextDeliverable {
public:
    CsvWriter() : TextDeliverable(OutputFile::OpenMode::Replace) {}

protected:
    bool WriteShots(OutputFile& file, const Job& job, std::int32_t line) override {
        const std::int32_t last = LastShot(job, line);
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            PrefetchShotsAfter(shot);
            if (shot.Ignore) continue;
            file.WriteInteger(shot.SeqNum);
            file.Put(',');
            Numbers.WriteMask(file, shot.Easting, 4);
            file.Put(',');
            Numbers.WriteMask(file, shot.Northing, 4);
            file.Put(',');
            Numbers.WriteMask(file, shot.Elevation, 1);
            file.Put(',');
            file.Write(shot.Remark());
            file.EndLine();
        }
        return true;
    }
};

} // namespace

OutputResult WriteCSVFile(const Job& job, const OutputOptions& options, std::string_view folder, Progress* progress) {
    CsvWriter writer;
    return WriteDeliverable(job, options, folder, OutputFormat::Csv, writer, progress);
}

} // namespace tolvanor
