// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/WriteAnalysisCSV.h"

#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "output/OutputFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

constexpr int LengthDecimals = 1; // distances and elevations, as the display shows them
constexpr int AreaDecimals = 2;   // areas, volumes and spacings

class CsvRow {
public:
    explicit CsvRow(std::string& out) : out_(out) {}
    ~CsvRow() { out_ += "\r\n"; }
    CsvRow(const CsvRow&) = delete;
    CsvRow& operator=(const CsvRow&) = delete;

    CsvRow& Text(std::string_view text) {
        Separate();
        out_ += text;
        return *this;
    }
    CsvRow& Number(double value, int decimals) {
        Separate();
        AppendMaskText(out_, value, decimals);
        return *this;
    }
    CsvRow& Count(std::int64_t value) { return Text(GeneralText(value)); }
    CsvRow& Empty(int count = 1) {
        for (int i = 0; i < count; ++i) Text({});
        return *this;
    }

private:
    void Separate() {
        if (!first_) out_ += ',';
        first_ = false;
    }
    std::string& out_;
    bool first_ = true;
};

// A level as the user would type it back: 0.3, not the 32-bit value's 15 digits.
std::string LevelText(double level) {
    const double stored = LevelAsStored(level);
    if (!(std::fabs(stored) <= std::numeric_limits<float>::max())) return GeneralText(stored);
    return GeneralText(static_cast<float>(stored));
}

void WriteHeading(std::string& out, const AnalysisOptions& options) {
    CsvRow row(out);
    row.Text("Profile").Text("Shots Used").Text("Min Distance").Text("Max Distance");
    row.Text("Min Elevation").Text("Max Elevation");
    std::string area = "Area Above " + LevelText(options.Datum);
    const double from = std::min(options.From, options.To);
    const double to = std::max(options.From, options.To);
    if (std::isfinite(from)) area += " From " + GeneralText(from);
    if (std::isfinite(to)) area += " To " + GeneralText(to);
    row.Text(area);
    for (std::size_t c = 0; c < options.Contours.size(); ++c) {
        const std::string name = "Contour " + LevelText(options.Contours[c]);
        row.Text(name + " First").Text(name + " Last").Text(name + " Count");
    }
    if (options.Templates != nullptr) row.Text("Above Template").Text("Below Template");
    row.Text("Note");
}

const char* NoteOf(const LineFigures& line, const AnalysisOptions& options) {
    switch (line.State) {
    case LineState::Ignored:
        return "line ignored";
    case LineState::NoStartingPoint:
        return "no starting point";
    case LineState::TooFewShots:
        return line.ShotsUsed == 0 ? "no shots" : "fewer than two shots";
    case LineState::Analysed:
        break;
    }
    return options.Templates != nullptr && !line.HasTemplate ? "no template" : "";
}

void WriteLine(std::string& out, const LineFigures& line, const AnalysisOptions& options) {
    CsvRow row(out);
    row.Text(line.Profile);
    const bool figures = line.State == LineState::Analysed || line.State == LineState::TooFewShots;
    const bool ranges = figures && line.ShotsUsed > 0;
    if (figures) {
        row.Count(line.ShotsUsed);
    } else {
        row.Empty();
    }
    if (ranges) {
        row.Number(line.MinDistance, LengthDecimals).Number(line.MaxDistance, LengthDecimals);
        row.Number(line.MinElevation, LengthDecimals).Number(line.MaxElevation, LengthDecimals);
        row.Number(line.AreaAboveDatum, AreaDecimals);
    } else {
        row.Empty(5);
    }
    for (std::size_t c = 0; c < options.Contours.size(); ++c) {
        if (!figures) {
            row.Empty(3);
            continue;
        }
        const ContourCrossings& contour = line.Contours[c];
        if (contour.Count > 0) {
            row.Number(contour.First, LengthDecimals).Number(contour.Last, LengthDecimals);
        } else {
            row.Empty(2);
        }
        row.Count(contour.Count);
    }
    if (options.Templates != nullptr) {
        if (line.HasTemplate) {
            row.Number(line.Template.Above, AreaDecimals).Number(line.Template.Below, AreaDecimals);
        } else {
            row.Empty(2);
        }
    }
    row.Text(NoteOf(line, options));
}

void WriteReach(std::string& out, const AnalysisResult& result) {
    out += "\r\n";
    CsvRow(out)
        .Text("From Profile")
        .Text("To Profile")
        .Text("Spacing")
        .Text("From Area")
        .Text("To Area")
        .Text("Volume");
    for (const ReachVolume& reach : result.Reaches) {
        const LineFigures& from = result.Lines[reach.FromIndex];
        const LineFigures& to = result.Lines[reach.ToIndex];
        CsvRow row(out);
        row.Text(from.Profile).Text(to.Profile).Number(reach.Spacing, AreaDecimals);
        row.Number(from.AreaAboveDatum, AreaDecimals).Number(to.AreaAboveDatum, AreaDecimals);
        row.Number(reach.Volume, AreaDecimals);
    }
    CsvRow(out).Text("Reach Total").Empty(4).Number(result.ReachTotal, AreaDecimals);
    for (const std::size_t index : result.Breaks) {
        const LineFigures& line = result.Lines[index];
        CsvRow(out)
            .Text("Chain Break")
            .Text(line.Profile)
            .Text(line.State == LineState::NoStartingPoint ? "no starting point" : "fewer than two shots");
    }
}

} // namespace

std::string AnalysisCsvText(const AnalysisResult& result, const AnalysisOptions& options) {
    std::string out;
    WriteHeading(out, options);
    for (const LineFigures& line : result.Lines) WriteLine(out, line, options);
    WriteReach(out, result);
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
