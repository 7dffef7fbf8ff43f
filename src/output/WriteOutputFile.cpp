// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Deliverables.h"

namespace tolvanor {

OutputResult WriteOutputFile(OutputFormat format, const Job& job, const OutputOptions& options, std::string_view folder,
                             Progress* progress) {
    switch (format) {
    case OutputFormat::Csv:
        return WriteCSVFile(job, options, folder, progress);
    case OutputFormat::Xyz:
        return WriteXYZFile(job, options, folder, progress);
    case OutputFormat::Isrp:
        return WriteISRPFile(job, options, folder, progress);
    case OutputFormat::Se:
        return WriteSEFile(job, options, folder, progress);
    case OutputFormat::Rer:
        return WriteRERFile(job, options, folder, progress);
    case OutputFormat::Xls:
        return WriteXLSFile(job, options, folder, progress);
    }
    return {};
}

} // namespace tolvanor
