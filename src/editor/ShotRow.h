// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/LineDataColumns.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace tolvanor {

struct ShotRecord;

using ShotRowTexts = std::array<std::string, LineDataColumn::Count>;

// A shot whose type begins with "W" or "w" (a sounder shot).
bool IsWaterShot(std::string_view shotType) noexcept;

// The cells the grid shows for a shot, written over `cells` (their storage
// is reused). Numbers go through their display patterns; a water shot shows
// the elevation -(DBT - heave - tide), in single-precision steps, of the
// record's own DBT, heave and tide. Stored back, those three are rounded, so
// a second pass may move that elevation by one display unit; a third
// changes nothing.
// `cells` holds at least 13 texts.
void ShotToRowTexts(const ShotRecord& shot, std::span<std::string> cells);

// The record the whole-grid store makes from a row's 13 cells: numbers are
// the cells' leading numbers (sequence numbers rounded, halves to even),
// Pitch and Roll the cell as a number or 0, Ignore when the text starts
// with "Y", the given profile number, no survey type.
void RowTextsToShot(std::span<const std::string> cells, std::string_view profileNumber, ShotRecord& shot);

// What RowTextsToShot makes of ShotToRowTexts's cells for `shot`, computed
// from the values without writing a text: each number as its display
// pattern reads back, the texts and flags as they are. `stored` may be
// `shot` itself. True when any bit of `stored` changed.
bool ShotThroughRow(const ShotRecord& shot, std::string_view profileNumber, ShotRecord& stored);
// The same, but the distance counts as changed only when it ends up other
// than `distanceBefore`: what `stored` held before its distance was recomputed.
bool ShotThroughRow(const ShotRecord& shot, std::string_view profileNumber, ShotRecord& stored, float distanceBefore);

} // namespace tolvanor
