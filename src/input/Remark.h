// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

// Remarks of profile shots read "PRO<number>[ <shot type>[ <words>]]".

// The remark names a profile shot: its first three characters are "PRO" in any case.
bool IsProfileRemark(std::string_view remark) noexcept;

// The profile number: the text after "PRO" up to its first space, through
// the three-digit formatting; "No Number" when nothing follows "PRO".
std::string ProfileNumberFromRemark(std::string_view remark, bool threeDigits);

// The profile part of a remark before formatting: the text after "PRO" up
// to the first space (empty when nothing follows "PRO").
std::string_view RawProfileNumber(std::string_view remark) noexcept;

// The shot type: the remark's second space-separated piece when it is
// exactly "A", "B", "L", "S" or "W"; empty otherwise.
std::string_view ShotTypeFromRemark(std::string_view remark) noexcept;

// "BD", "AD" or "CS" when the finished profile number ends in one of them.
std::string_view SurveyTypeFromProfileNumber(std::string_view profileNumber) noexcept;

} // namespace tolvanor
