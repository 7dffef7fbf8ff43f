// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DataType.h"

namespace tolvanor {

std::string_view DataTypeName(DataType type) noexcept {
    switch (type) {
    case DataType::Trimble:
        return "Trimble (Seq#,E,N,Elev,Rem)";
    case DataType::Hypack:
        return "Hypack (E,N,Elev)";
    case DataType::ProcessedXyz:
        return "Processed XYZ (E,N,Elev, Rem)";
    case DataType::Processed:
        return "Processed (N,E,Elev, Rem)";
    case DataType::Field:
        return "Field (Seq#,N,E,Elev,Rem)";
    case DataType::SavedJob:
        return "Tolvanor (Saved job)";
    case DataType::Sounder:
        return "Sounder Data (Line#,E,N,Z,Tide,Heave,Pitch,Roll,DBT)";
    }
    return {};
}

std::string_view SourceFileFilter(DataType type) noexcept {
    switch (type) {
    case DataType::Trimble:
        return "Trimble (*.csv , *.xyz)|*.csv;*.xyz|All Files (*.*)|*.*|";
    case DataType::Hypack:
        return "Hypack (*.xyz)|*.xyz|All Files (*.*)|*.*|";
    case DataType::ProcessedXyz:
        return "Processed XYZ (*.xyz)|*.xyz|All Files (*.*)|*.*|";
    case DataType::Processed:
        return "Processed (*.dat)|*.dat|All Files (*.*)|*.*|";
    case DataType::Field:
        return "Field (*.co)|*.co|All Files (*.*)|*.*|";
    case DataType::SavedJob:
        return "Tolvanor (*.tvn)|*.tvn|All Files (*.*)|*.*|";
    case DataType::Sounder:
        return "All Files (*.*)|*.*|";
    }
    return "All Files (*.*)|*.*|";
}

ColumnMap ColumnMapFor(DataType type) noexcept {
    ColumnMap map;
    switch (type) {
    case DataType::Trimble:
        map.SeqNum = 0;
        map.Easting = 1;
        map.Northing = 2;
        map.Elevation = 3;
        map.Remark = 4;
        break;
    case DataType::Hypack:
        map.Easting = 0;
        map.Northing = 1;
        map.Elevation = 2;
        break;
    case DataType::ProcessedXyz:
        map.Easting = 0;
        map.Northing = 1;
        map.Elevation = 2;
        map.Remark = 3;
        break;
    case DataType::Processed:
        map.Northing = 0;
        map.Easting = 1;
        map.Elevation = 2;
        map.Remark = 3;
        break;
    case DataType::Field:
        map.SeqNum = 0;
        map.Northing = 1;
        map.Easting = 2;
        map.Elevation = 3;
        map.Remark = 4;
        break;
    case DataType::SavedJob:
        break;
    case DataType::Sounder:
        // The line name stands in the remark's place; Z, pitch and roll are not read.
        map.Remark = 0;
        map.Easting = 1;
        map.Northing = 2;
        map.Tide = 4;
        map.Heave = 5;
        map.DBT = 8;
        map.Sounder = true;
        break;
    }
    return map;
}

} // namespace tolvanor
