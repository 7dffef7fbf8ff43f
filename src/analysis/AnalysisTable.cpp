// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AnalysisTable.h"

#include "core/GeneralText.h"
#include "core/MaskText.h"

#include <algorithm>
#include <cmath>

namespace tolvanor {

namespace {

constexpr int LengthDecimals = 1;
constexpr int AreaDecimals = 2;

// A level as the user would type it back: 0.3, not the 32-bit value's 15 digits.
std::string LevelText(double level) {
    const double stored = LevelAsStored(level);
    if (!(std::fabs(stored) <= std::numeric_limits<float>::max())) return GeneralText(stored);
    return GeneralText(static_cast<float>(stored));
}

std::vector<std::string> Headings(const AnalysisOptions& options) {
    std::vector<std::string> headings = {"Profile",      "Shots Used",    "Min Distance",
                                         "Max Distance", "Min Elevation", "Max Elevation"};
    std::string area = "Area Above " + LevelText(options.Datum);
    const double from = std::min(options.From, options.To);
    const double to = std::max(options.From, options.To);
    if (std::isfinite(from)) area += " From " + GeneralText(from);
    if (std::isfinite(to)) area += " To " + GeneralText(to);
    headings.push_back(area);
    for (const double level : options.Contours) {
        const std::string name = "Contour " + LevelText(level);
        for (const char* part : {" First", " Last", " Count"}) headings.push_back(name + part);
    }
    if (options.Templates != nullptr) {
        headings.push_back("Above Template");
        headings.push_back("Below Template");
    }
    headings.push_back("Note");
    return headings;
}

class RowBuilder {
public:
    explicit RowBuilder(std::vector<AnalysisCell>& row) : row_(row) {}
    RowBuilder& Text(std::string_view text) {
        row_.push_back({std::string(text)});
        return *this;
    }
    RowBuilder& Length(double value) { return Number(LengthText(value), value); }
    RowBuilder& Area(double value) { return Number(AreaText(value), value); }
    RowBuilder& Count(int value) { return Number(GeneralText(static_cast<std::int64_t>(value)), value); }
    RowBuilder& Empty(int count = 1) {
        for (int i = 0; i < count; ++i) row_.emplace_back();
        return *this;
    }

private:
    RowBuilder& Number(std::string text, double value) {
        row_.push_back({std::move(text), value});
        return *this;
    }
    std::vector<AnalysisCell>& row_;
};

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

void AddContours(RowBuilder& row, const LineFigures& line, bool figures, std::size_t count) {
    for (std::size_t c = 0; c < count; ++c) {
        if (!figures) {
            row.Empty(3);
            continue;
        }
        const ContourCrossings& contour = line.Contours[c];
        if (contour.Count > 0) {
            row.Length(contour.First).Length(contour.Last);
        } else {
            row.Empty(2);
        }
        row.Count(contour.Count);
    }
}

std::vector<AnalysisCell> LineRow(const LineFigures& line, const AnalysisOptions& options) {
    std::vector<AnalysisCell> cells;
    RowBuilder row(cells);
    row.Text(line.Profile);
    const bool figures = line.State == LineState::Analysed || line.State == LineState::TooFewShots;
    if (figures) {
        row.Count(line.ShotsUsed);
    } else {
        row.Empty();
    }
    if (figures && line.ShotsUsed > 0) {
        row.Length(line.MinDistance).Length(line.MaxDistance).Length(line.MinElevation).Length(line.MaxElevation);
        row.Area(line.AreaAboveDatum);
    } else {
        row.Empty(5);
    }
    AddContours(row, line, figures, options.Contours.size());
    if (options.Templates != nullptr) {
        if (line.HasTemplate) {
            row.Area(line.Template.Above).Area(line.Template.Below);
        } else {
            row.Empty(2);
        }
    }
    row.Text(NoteOf(line, options));
    return cells;
}

void AppendRow(std::string& out, const std::vector<std::string_view>& cells, char separator, std::string_view lineEnd) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += separator;
        out += cells[i];
    }
    out += lineEnd;
}

} // namespace

AnalysisTable MakeAnalysisTable(const AnalysisResult& result, const AnalysisOptions& options) {
    AnalysisTable table;
    table.Headings = Headings(options);
    table.Rows.reserve(result.Lines.size());
    for (const LineFigures& line : result.Lines) table.Rows.push_back(LineRow(line, options));
    return table;
}

std::string AnalysisTableText(const AnalysisTable& table, char separator, std::string_view lineEnd) {
    std::string out;
    AppendRow(out, {table.Headings.begin(), table.Headings.end()}, separator, lineEnd);
    std::vector<std::string_view> cells;
    for (const auto& row : table.Rows) {
        cells.clear();
        for (const AnalysisCell& cell : row) cells.push_back(cell.Text);
        AppendRow(out, cells, separator, lineEnd);
    }
    return out;
}

std::string LengthText(double value) {
    return MaskText(value, LengthDecimals);
}
std::string AreaText(double value) {
    return MaskText(value, AreaDecimals);
}

} // namespace tolvanor
