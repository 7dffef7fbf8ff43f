// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace tolvanor {

class DataEditor;
class EditorPlots;
class Job;
class Prompter;

// What Copy reads off the charts: the first curve (the current line) of the
// profile, heave, tide and DBT charts, point by point, and where the profile
// chart's two cursors sit on it (-1: not on the curve).
struct CopySource {
    std::span<const double> Distance;
    std::span<const double> Elevation;
    std::span<const double> Heave;
    std::span<const double> Tide;
    std::span<const double> DBT;
    int Cursor1 = -1;
    int Cursor2 = -1;
    std::string_view CursorShotType;
};

enum class CopyOutcome {
    Copied,
    CursorOffCurve, // nothing copied, no message
};

// Copies the points between the cursors (both included, in curve order, at
// most CopyBuffer::Capacity) into the editor's copy buffer, with northing and
// easting placed on the current line at each distance, shows the copied
// curve and reports the count (" 4 shots saved."). A line without starting
// point says so once and leaves the positions 0. With charts, their profile
// cursors go off and the "Copied Data" curve is drawn before the count shows.
CopyOutcome CopyBetweenCursors(Job& job, DataEditor& editor, Prompter& prompter, const CopySource& source,
                               EditorPlots* plots = nullptr);

// The same with the source read off the charts.
CopyOutcome CopyBetweenCursors(Job& job, DataEditor& editor, Prompter& prompter, EditorPlots& plots);

} // namespace tolvanor
