// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ShotRow.h"

#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "core/PatternValue.h"
#include "core/Rounding.h"
#include "core/ShotRecord.h"
#include "processing/FieldHelpers.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace tolvanor {

namespace {

// Bit for bit, so that -0 and +0 differ and a NaN equals itself.
template <typename T> bool SameBits(T a, T b) noexcept {
    if constexpr (sizeof(T) == 8) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    } else {
        return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
    }
}

// Display patterns: "#######.0000", "#####.0", "###.00".
constexpr int CoordinateDecimals = 4;
constexpr int DistanceDecimals = 1;
constexpr int SounderDecimals = 2;

const std::string& CellAt(std::span<const std::string> cells, int col) noexcept {
    static const std::string empty;
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : empty;
}

// The cells are rewritten in place on every pass, so their buffers are reused.
template <typename Real> void SetMaskText(std::string& cell, Real value, int decimals) {
    cell.clear();
    AppendMaskText(cell, value, decimals);
}

// Pitch and roll take a cell only when all of it is a number (valued as its
// leading number, which saturates out of range); else 0.
float WholeNumberValue(std::string_view text) noexcept {
    float value = 0;
    const auto status = StrictToFloat(text, value);
    return status == ConversionStatus::Overflow ? LeadingNumberValueSingle(text) : value;
}

// A water shot's elevation as the grid shows it before rounding.
float ShownElevation(const ShotRecord& shot) noexcept {
    if (!IsWaterShot(shot.ShotType())) return shot.Elevation;
    float depth = shot.DBT - shot.Heave;
    depth = depth - shot.Tide;
    return -depth;
}

// Pitch and roll read back from their cell: the pattern text of a finite
// value is a number through and through, so it reads as the masked value;
// the others take the text's road.
float ShownWholeNumber(float value) {
    if (std::isfinite(value)) return PatternValue(value, SounderDecimals);
    return WholeNumberValue(MaskText(value, SounderDecimals));
}

} // namespace

bool IsWaterShot(std::string_view shotType) noexcept {
    return !shotType.empty() && (shotType.front() == 'W' || shotType.front() == 'w');
}

void ShotToRowTexts(const ShotRecord& shot, std::span<std::string> cells) {
    using Col = LineDataColumn;
    cells[Col::SeqNum] = LeadingBlankText(shot.SeqNum);
    SetMaskText(cells[Col::Easting], shot.Easting, CoordinateDecimals);
    SetMaskText(cells[Col::Northing], shot.Northing, CoordinateDecimals);
    SetMaskText(cells[Col::Distance], shot.DistDownRange, DistanceDecimals);
    SetMaskText(cells[Col::DBT], shot.DBT, SounderDecimals);
    SetMaskText(cells[Col::Heave], shot.Heave, SounderDecimals);
    SetMaskText(cells[Col::Tide], shot.Tide, DistanceDecimals);
    // From the record's own sounder values, so the true elevation is
    // rounded once; single-precision steps.
    SetMaskText(cells[Col::Elevation], ShownElevation(shot), DistanceDecimals);
    cells[Col::Remark].assign(shot.Remark());
    cells[Col::Shot].assign(shot.ShotType());
    cells[Col::Ignore] = YesNo(shot.Ignore);
    SetMaskText(cells[Col::Pitch], shot.Pitch, SounderDecimals);
    SetMaskText(cells[Col::Roll], shot.Roll, SounderDecimals);
}

void RowTextsToShot(std::span<const std::string> cells, std::string_view profileNumber, ShotRecord& shot) {
    using Col = LineDataColumn;
    // Every field is written, so the record ends up as a fresh one would; texts
    // that are already right are left alone, which keeps repeated passes cheap.
    shot.SeqNum = RoundToInt32(LeadingNumberValue(CellAt(cells, Col::SeqNum)));
    shot.Easting = LeadingNumberValue(CellAt(cells, Col::Easting));
    shot.Northing = LeadingNumberValue(CellAt(cells, Col::Northing));
    shot.DistDownRange = LeadingNumberValueSingle(CellAt(cells, Col::Distance));
    shot.Elevation = LeadingNumberValueSingle(CellAt(cells, Col::Elevation));
    shot.DBT = LeadingNumberValueSingle(CellAt(cells, Col::DBT));
    shot.Heave = LeadingNumberValueSingle(CellAt(cells, Col::Heave));
    shot.Tide = LeadingNumberValueSingle(CellAt(cells, Col::Tide));
    shot.SetRemark(CellAt(cells, Col::Remark));
    shot.SetShotType(CellAt(cells, Col::Shot));
    shot.Ignore = IsYes(CellAt(cells, Col::Ignore));
    shot.Pitch = WholeNumberValue(CellAt(cells, Col::Pitch));
    shot.Roll = WholeNumberValue(CellAt(cells, Col::Roll));
    shot.SetProfileNumber(profileNumber);
    shot.SetSurveyType({});
}

bool ShotThroughRow(const ShotRecord& shot, std::string_view profileNumber, ShotRecord& stored) {
    return ShotThroughRow(shot, profileNumber, stored, stored.DistDownRange);
}

bool ShotThroughRow(const ShotRecord& shot, std::string_view profileNumber, ShotRecord& stored, float distanceBefore) {
    // Everything is read before anything is written, as `stored` may be `shot`.
    const float elevation = PatternValue(ShownElevation(shot), DistanceDecimals);
    const double easting = PatternValue(shot.Easting, CoordinateDecimals);
    const double northing = PatternValue(shot.Northing, CoordinateDecimals);
    const float distance = PatternValue(shot.DistDownRange, DistanceDecimals);
    const float dbt = PatternValue(shot.DBT, SounderDecimals);
    const float heave = PatternValue(shot.Heave, SounderDecimals);
    const float tide = PatternValue(shot.Tide, DistanceDecimals);
    const float pitch = ShownWholeNumber(shot.Pitch);
    const float roll = ShownWholeNumber(shot.Roll);
    // The sequence number's text reads back as itself, and so does the flag's.
    const bool changed = stored.SeqNum != shot.SeqNum || stored.Ignore != shot.Ignore ||
                         !SameBits(stored.Easting, easting) || !SameBits(stored.Northing, northing) ||
                         !SameBits(distanceBefore, distance) || !SameBits(stored.Elevation, elevation) ||
                         !SameBits(stored.DBT, dbt) || !SameBits(stored.Heave, heave) || !SameBits(stored.Tide, tide) ||
                         !SameBits(stored.Pitch, pitch) || !SameBits(stored.Roll, roll);
    stored.SeqNum = shot.SeqNum;
    stored.Ignore = shot.Ignore;
    stored.Easting = easting;
    stored.Northing = northing;
    stored.DistDownRange = distance;
    stored.Elevation = elevation;
    stored.DBT = dbt;
    stored.Heave = heave;
    stored.Tide = tide;
    stored.Pitch = pitch;
    stored.Roll = roll;
    // The row keeps the shot type and remark; the profile number is the
    // line's and the survey type is never shown, so it comes back empty.
    const auto texts = shot.Texts.Views();
    const bool textsChanged =
        stored.Texts.Update({profileNumber, {}, texts[RecordTexts::ShotType], texts[RecordTexts::Remark]});
    return changed || textsChanged;
}

} // namespace tolvanor
