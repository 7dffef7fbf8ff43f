// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ShotRow.h"

#include "core/GeneralText.h"
#include "core/Rounding.h"
#include "core/ShotRecord.h"
#include "editor/CellNumberText.h"
#include "processing/FieldHelpers.h"

namespace tolvanor {

namespace {

// Display patterns: "#######.0000", "#####.0", "###.00".
constexpr int CoordinateDecimals = 4;
constexpr int DistanceDecimals = 1;
constexpr int SounderDecimals = 2;

const std::string& CellAt(std::span<const std::string> cells, int col) noexcept {
    static const std::string empty;
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : empty;
}

} // namespace

bool IsWaterShot(std::string_view shotType) noexcept {
    return !shotType.empty() && (shotType.front() == 'W' || shotType.front() == 'w');
}

void ShotToRowTexts(const ShotRecord& shot, std::span<std::string> cells) {
    using Col = LineDataColumn;
    cells[Col::SeqNum] = LeadingBlankText(shot.SeqNum);
    AssignMaskText(cells[Col::Easting], shot.Easting, CoordinateDecimals, ValuePrecision::Double);
    AssignMaskText(cells[Col::Northing], shot.Northing, CoordinateDecimals, ValuePrecision::Double);
    AssignMaskText(cells[Col::Distance], shot.DistDownRange, DistanceDecimals);
    const float dbt = AssignMaskTextReadBack(cells[Col::DBT], shot.DBT, SounderDecimals);
    const float heave = AssignMaskTextReadBack(cells[Col::Heave], shot.Heave, SounderDecimals);
    const float tide = AssignMaskTextReadBack(cells[Col::Tide], shot.Tide, DistanceDecimals);
    float elevation = shot.Elevation;
    if (IsWaterShot(shot.ShotType())) {
        float depth = dbt - heave;
        depth = depth - tide;
        elevation = -depth;
    }
    AssignMaskText(cells[Col::Elevation], elevation, DistanceDecimals);
    cells[Col::Remark].assign(shot.Remark());
    cells[Col::Shot].assign(shot.ShotType());
    cells[Col::Ignore] = YesNo(shot.Ignore);
    AssignMaskText(cells[Col::Pitch], shot.Pitch, SounderDecimals);
    AssignMaskText(cells[Col::Roll], shot.Roll, SounderDecimals);
}

void RowTextsToShot(std::span<const std::string> cells, std::string_view profileNumber, ShotRecord& shot) {
    using Col = LineDataColumn;
    // Every field is written, so the record ends up as a fresh one would; texts
    // that are already right are left alone, which keeps repeated passes cheap.
    shot.SeqNum = RoundToInt32(CellNumberValue(CellAt(cells, Col::SeqNum)));
    shot.Easting = CellNumberValue(CellAt(cells, Col::Easting));
    shot.Northing = CellNumberValue(CellAt(cells, Col::Northing));
    shot.DistDownRange = CellSingleValue(CellAt(cells, Col::Distance));
    shot.Elevation = CellSingleValue(CellAt(cells, Col::Elevation));
    shot.DBT = CellSingleValue(CellAt(cells, Col::DBT));
    shot.Heave = CellSingleValue(CellAt(cells, Col::Heave));
    shot.Tide = CellSingleValue(CellAt(cells, Col::Tide));
    shot.SetRemark(CellAt(cells, Col::Remark));
    shot.SetShotType(CellAt(cells, Col::Shot));
    shot.Ignore = IsYes(CellAt(cells, Col::Ignore));
    shot.Pitch = CellWholeSingleValue(CellAt(cells, Col::Pitch));
    shot.Roll = CellWholeSingleValue(CellAt(cells, Col::Roll));
    shot.SetProfileNumber(profileNumber);
    shot.SetSurveyType({});
}

} // namespace tolvanor
