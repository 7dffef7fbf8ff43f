// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace tolvanor {

// The source layouts, numbered as the data-type list shows them.
enum class DataType {
    Trimble = 0,
    Hypack = 1,
    ProcessedXyz = 2,
    Processed = 3,
    Field = 4,
    SavedJob = 5,
    Sounder = 6,
};

inline constexpr int DataTypeCount = 7;

// The list item text of a data type ("Trimble (Seq#,E,N,Elev,Rem)", ...).
std::string_view DataTypeName(DataType type) noexcept;
// The open dialog's filter for a data type, "All Files (*.*)|*.*|" included.
std::string_view SourceFileFilter(DataType type) noexcept;

// Which column of a delimited line feeds which field; -1 where the layout
// has no such column.
struct ColumnMap {
    int Northing = -1;
    int Easting = -1;
    int Elevation = -1;
    int SeqNum = -1;
    int Remark = -1;
    int Tide = -1;
    int Heave = -1;
    int DBT = -1;
    bool Sounder = false;
};

// The column map of a delimited layout (every type but the saved job).
ColumnMap ColumnMapFor(DataType type) noexcept;

} // namespace tolvanor
