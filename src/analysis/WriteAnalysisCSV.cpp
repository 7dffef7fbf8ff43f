// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/WriteAnalysisCSV.h"

#include "analysis/AnalysisTable.h"
#include "output/OutputFile.h"

namespace tolvanor {

namespace {

constexpr std::string_view LineEnd = "\r\n";

void AppendCells(std::string& out, std::initializer_list<std::string_view> cells) {
    bool first = true;
    for (const std::string_view cell : cells) {
        if (!first) out += ',';
        out += cell;
        first = false;
    }
    out += LineEnd;
}

void AppendReach(std::string& out, const AnalysisResult& result) {
    out += LineEnd;
    AppendCells(out, {"From Profile", "To Profile", "Spacing", "From Area", "To Area", "Volume"});
    for (const ReachVolume& reach : result.Reaches) {
        const LineFigures& from = result.Lines[reach.FromIndex];
        const LineFigures& to = result.Lines[reach.ToIndex];
        AppendCells(out, {from.Profile, to.Profile, AreaText(reach.Spacing), AreaText(from.AreaAboveDatum),
                          AreaText(to.AreaAboveDatum), AreaText(reach.Volume)});
    }
    AppendCells(out, {"Reach Total", "", "", "", "", AreaText(result.ReachTotal)});
    for (const std::size_t index : result.Breaks) {
        const LineFigures& line = result.Lines[index];
        AppendCells(out, {"Chain Break", line.Profile,
                          line.State == LineState::NoStartingPoint ? "no starting point" : "fewer than two shots"});
    }
}

} // namespace

std::string AnalysisCsvText(const AnalysisResult& result, const AnalysisOptions& options) {
    std::string out = AnalysisTableText(MakeAnalysisTable(result, options), ',', LineEnd);
    AppendReach(out, result);
    return out;
}

AnalysisWriteResult WriteAnalysisCSV(const std::string& path, const AnalysisResult& result,
                                     const AnalysisOptions& options) {
    OutputFile file;
    if (file.Open(path, OutputFile::OpenMode::Replace)) {
        file.Write(AnalysisCsvText(result, options));
        file.Close();
    }
    return {!file.Failed(), file.Reason()};
}

} // namespace tolvanor
